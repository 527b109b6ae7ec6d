#!/usr/bin/env bash
# Copies the inputs of an end-to-end case into a folder: each of
# absrp_sys_list.dat, absrp_query.frm and style.var that the case holds (a
# folder as a folder), or the shared one that its file catalogue, form or
# style names, from tests/catalogues, tests/forms or tests/styles.
# Usage: case_inputs.sh CASE_DIR TO_DIR
shared="$(dirname "$0")"
for pair in catalogue:absrp_sys_list.dat form:absrp_query.frm style:style.var; do
  kind="${pair%%:*}" input="${pair#*:}"
  if [ -f "$1/$kind" ]; then
    cp "$shared/${kind}s/$(cat "$1/$kind")" "$2/$input" || exit 1
  elif [ -e "$1/$input" ]; then
    cp -R "$1/$input" "$2/" || exit 1
  fi
done
