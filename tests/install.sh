#!/usr/bin/env bash
# Installs a build into a scratch prefix: the programs (catalix-cgi in its
# own folder), their manual pages (gzipped without name or time, the
# version on the title line, rendered by groff without a warning, with the
# sections a reader looks for and every message the programs print
# explained), the site's pages and the examples.
# Usage: install.sh CMAKE BUILD_DIR VERSION CGI_DIR EXAMPLES_DIR PROGRAM...
#        (exit 77, a skip, without groff)
set -euo pipefail
prefix="$(mktemp -d)" && trap 'rm -rf "$prefix"' EXIT
"$1" --install "$2" --prefix "$prefix" >/dev/null
version="$3" cgi_dir="$4" examples="$5"
shift 5
cd "$prefix"
for p in "$@"; do
  dir=bin && [ "$p" != catalix-cgi ] || dir="$cgi_dir"
  [ -f "$dir/$p" ] && [ -x "$dir/$p" ] || { echo "FAIL: $p is not installed as a program in $dir/"; exit 1; }
  page="share/man/man1/$p.1.gz"
  [ -f "$page" ] || { echo "FAIL: $page is not installed"; exit 1; }
  # Bytes 4 to 7 of a gzip header hold the time, 3 the flags (a name: 8).
  [ "$(od -An -tu1 -j3 -N5 "$page" | tr -s ' ')" = " 0 0 0 0 0" ] ||
    { echo "FAIL: $page holds a name or a time"; exit 1; }
  grep -q "^\.TH .* \"catalix $version\" " <(gzip -dc "$page") ||
    { echo "FAIL: $page does not name catalix $version on its .TH line"; exit 1; }
done
for f in share/catalix/{introduction,manual,references,query}.html share/catalix/{query,samp}.js \
         "$examples"/{absrp_query.frm,absrp_sys_list.dat,style.var}; do
  [ -f "$f" ] || { echo "FAIL: $f is not installed"; exit 1; }
done
command -v groff >/dev/null || { echo "SKIP: no groff (Debian package groff-base)"; exit 77; }
text=""
for page in share/man/man1/*.1.gz; do
  warnings="$(gzip -dc "$page" | groff -man -Tutf8 -ww -z 2>&1)"
  [ -z "$warnings" ] || { echo "FAIL: $page renders with warnings: $warnings"; exit 1; }
  one="$(gzip -dc "$page" | groff -man -Tutf8 -P-cbu -rLL=400n -rHY=0 2>/dev/null)"
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
    "CATALIX_DATA" "catalix-cgi is a CGI program" "the answer could not be written" \
    "catalix-check: cannot read" "catalix-check: error of writing the findings" \
    "catalix-cgi: CATALIX_CHARSET is not a character set name"; do
  grep -qF -- "$message" <<<"$text" || { echo "FAIL: no manual page explains \"$message\""; exit 1; }
done
echo "installed; manual pages render cleanly and explain every message"
