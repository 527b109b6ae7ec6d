#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what lands where: the
# programs in bin/, their manual pages in share/man/man1/ (each rendered by
# groff with every warning turned on, which must stay silent), and the
# site's pages in share/catalix/.
# Usage: tests/install/check_install.sh CMAKE BUILD_DIR
set -euo pipefail
cmake_command="${1:?usage: check_install.sh CMAKE BUILD_DIR}"
build="$(cd "${2:?usage: check_install.sh CMAKE BUILD_DIR}" && pwd)"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

"$cmake_command" --install "$build" --prefix "$prefix" >/dev/null

failed=0
for f in bin/catalix bin/catalix-dump bin/catalix-cgi bin/catalix-table \
         share/man/man1/catalix.1 share/man/man1/catalix-dump.1 share/man/man1/catalix-cgi.1 \
         share/man/man1/catalix-table.1 \
         share/catalix/introduction.html share/catalix/manual.html \
         share/catalix/references.html share/catalix/query.html; do
  if [ -f "$prefix/$f" ]; then echo "installed: $f"; else echo "FAIL: $f is not installed"; failed=1; fi
done
for f in bin/catalix bin/catalix-dump bin/catalix-cgi bin/catalix-table; do
  [ -x "$prefix/$f" ] || { echo "FAIL: $f is not executable"; failed=1; }
done
[ "$failed" = 0 ] || exit 1

if ! command -v groff >/dev/null 2>&1; then
  echo "SKIP: groff is not installed (Debian package groff-base), so the manual pages cannot be rendered"
  exit 77
fi
for page in catalix catalix-dump catalix-cgi catalix-table; do
  man_file="$prefix/share/man/man1/$page.1"
  warnings="$(groff -man -Tutf8 -ww -z "$man_file" 2>&1)"
  if [ -n "$warnings" ]; then
    echo "FAIL: $page(1) renders with warnings:"
    echo "$warnings"
    exit 1
  fi
  # The page must say something under each heading a reader looks for.
  text="$(groff -man -Tutf8 -P-cbu "$man_file" 2>/dev/null)"
  for heading in NAME SYNOPSIS DESCRIPTION DIAGNOSTICS "EXIT STATUS"; do
    grep -q "^$heading" <<<"$text" || { echo "FAIL: $page(1) has no $heading section"; exit 1; }
  done
  echo "rendered without warnings: $page(1)"
done

# Every message the programs can print is explained in a manual page.
text="$(for page in catalix catalix-dump catalix-cgi catalix-table; do
  groff -man -Tutf8 -P-cbu -rLL=400n -rHY=0 "$prefix/share/man/man1/$page.1" 2>/dev/null
done)"
while read -r message; do
  grep -qF -- "$message" <<<"$text" || { echo "FAIL: no manual page explains \"$message\""; exit 1; }
done <<'MESSAGES'
error of opening file style.var
error of opening file absrp_query.frm
Query input error: file results.html has not been created
error of reading absrp_sys_list.dat
error of creation of results.html
file read message: stop_signal
lost
usage: catalix-dump [query]
usage: catalix-table [votable|csv]
catalix-table: error of writing the table
catalix: out of memory
catalix-cgi: CATALIX_DATA is not set
catalix-cgi: the catalogue changed while it was read; the page is cut short
catalix-cgi: the answer could not be sent whole
MESSAGES
echo "every message is explained"
