#!/usr/bin/env bash
# Installs a build into a scratch prefix: the programs, their manual pages
# (rendered by groff without a warning, with the sections a reader looks for
# and every message the programs print explained) and the site's pages.
# Usage: install.sh CMAKE BUILD_DIR   (exit 77, a skip, without groff)
set -euo pipefail
prefix="$(mktemp -d)" && trap 'rm -rf "$prefix"' EXIT
"$1" --install "$2" --prefix "$prefix" >/dev/null
cd "$prefix"
programs="catalix catalix-dump catalix-cgi catalix-table"
for f in bin/${programs// / bin/} share/man/man1/${programs// /.1 share/man/man1/}.1 \
         share/catalix/{introduction,manual,references,query}.html share/catalix/query.js; do
  [ -f "$f" ] || { echo "FAIL: $f is not installed"; exit 1; }
done
for f in $programs; do [ -x "bin/$f" ] || { echo "FAIL: $f is not executable"; exit 1; }; done
command -v groff >/dev/null || { echo "SKIP: no groff (Debian package groff-base)"; exit 77; }
text=""
for page in share/man/man1/*.1; do
  warnings="$(groff -man -Tutf8 -ww -z "$page" 2>&1)"
  [ -z "$warnings" ] || { echo "FAIL: $page renders with warnings: $warnings"; exit 1; }
  one="$(groff -man -Tutf8 -P-cbu -rLL=400n -rHY=0 "$page" 2>/dev/null)"
  for heading in NAME SYNOPSIS DESCRIPTION DIAGNOSTICS "EXIT STATUS"; do
    grep -q "^$heading" <<<"$one" || { echo "FAIL: $page has no $heading"; exit 1; }
  done
  text+="$one"
done
for message in "error of opening file style.var" "error of opening file absrp_query.frm" \
    "Query input error: file results.html has not been created" "error of reading absrp_sys_list.dat" \
    "error of creation of results.html" "file read message: stop_signal" \
    "usage: catalix-dump [query]" "catalix: out of memory" \
    "catalix-dump: the catalogue changed while it was read" "catalix-table: error of writing the table" \
    "CATALIX_DATA" "catalix-cgi: CATALIX_CHARSET is not a character set name"; do
  grep -qF -- "$message" <<<"$text" || { echo "FAIL: no manual page explains \"$message\""; exit 1; }
done
echo "installed; manual pages render cleanly and explain every message"
