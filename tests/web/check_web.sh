#!/usr/bin/env bash
# Serves the site's pages and catalix-cgi with examples/serve.sh, the
# configuration users copy, at a free port, then either (curl) checks with
# curl: serve.sh's own checks, 50 queries sent at once, each answered by the
# page that catalix writes for a form file of the same values, the refusals,
# HEAD, caching, the headers and the size limit; or (browser) runs
# check_form.py, which uses query.html in headless Chromium through Selenium;
# or (dali) runs check_dali.py, pyvo and astropy against the DALI requests;
# or (samp) runs check_samp.py, the form's SAMP button with a hub and a receiver;
# or (soak) serves a generated catalogue of 30 MB and runs load.py:
# CATALIX_SOAK_CLIENTS (16) clients for CATALIX_SOAK_SECONDS (60), every
# answer as when sent alone (a page as catalix's), nothing in the server's
# logs but its start, no catalix-cgi left, the server no larger at the end.
# Usage: tests/web/check_web.sh BUILD_DIR curl|browser|dali|samp|soak
# Exit status 77 (a skip) where lighttpd, curl, the browser, pyvo or jsamp is missing.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
examples="$(cd "$here/../../examples" && pwd)"
build="$(cd "${1:?usage: check_web.sh BUILD_DIR curl|browser|soak}" && pwd)"
mode="${2:?usage: check_web.sh BUILD_DIR curl|browser|soak}"
skip() { echo "SKIP: $1 is not installed (Debian package $2)"; exit 77; }
PATH="$PATH:/usr/sbin" command -v lighttpd >/dev/null || skip lighttpd lighttpd
command -v curl >/dev/null || skip curl curl
if [ "$mode" = browser ] || [ "$mode" = samp ]; then
  /usr/bin/python3 -c 'import selenium' 2>/dev/null || skip Selenium python3-selenium
  [ -x /usr/bin/chromedriver ] || skip chromedriver chromium-driver
fi
if [ "$mode" = samp ]; then
  command -v java >/dev/null || skip java default-jre-headless
  [ -f /usr/share/java/jsamp.jar ] || skip jsamp jsamp
  /usr/bin/python3 -c 'import astropy.samp' 2>/dev/null || skip astropy python3-astropy
  ! (exec 3<>/dev/tcp/127.0.0.1/21012) 2>/dev/null || { echo "SKIP: a SAMP hub answers on port 21012 already"; exit 77; }
fi
[ "$mode" != dali ] || /usr/bin/python3 -c 'import pyvo' 2>/dev/null || skip pyvo python3-pyvo

work="$(mktemp -d)"
servers=()
# Each server in a process group of its own, stopped as Ctrl-C stops it.
set -m
trap 'for s in "${servers[@]}"; do kill -INT -- "-$s" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"' EXIT
# serve.sh at a port picked at random: sets port, url, folder (its own) and pid.
serve() {
  local out="$work/serve.$1"
  for _ in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 40000))
    : >"$out"
    "$examples/serve.sh" "$build" "$port" >"$out" 2>&1 & pid=$!
    until grep -q '^The query form is' "$out" || ! kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
    if grep -q '^The query form is' "$out"; then
      servers+=("$pid") url="http://127.0.0.1:$port"
      folder="$(sed -n 's/.*the server.s folder: \(.*\); Ctrl-C.*/\1/p' "$out")"
      return
    fi
    grep -q "port $port is in use" "$out" || { echo "FAIL: serve.sh: $(cat "$out")"; exit 1; }
  done
  echo "FAIL: serve.sh found no free port"; exit 1
}
serve first
echo "serve.sh serves $folder at $url"

# The form's fifteen fields, in its order (the sixteenth, format, left out).
read -ra names <<<"$(sed -n 's/.*<input [^>]*name="\([a-z_]*\)".*/\1/p' "$build/site/query.html" | tr '\n' ' ')"
[ "${#names[@]}" = 15 ] || { echo "FAIL: the form's fields: ${names[*]}"; exit 1; }
# The page that catalix writes for a form file of these fifteen values: the
# numbers as typed, the name without blanks around it and one blank after.
expect() {
  local dir="$1" i v=("${@:2}")
  mkdir -p "$dir" && cp "${catalogue:-$examples/absrp_sys_list.dat}" "$examples/style.var" "$dir/"
  v[6]="$(sed -E 's/^[[:space:]]+|[[:space:]]+$//g' <<<"${v[6]}") "
  for i in "${!names[@]}"; do printf '%s =%s\n' "${names[$i]}" "${v[$i]}"; done >"$dir/absrp_query.frm"
  (cd "$dir" && "$build/catalix" >/dev/null)
}

if [ "$mode" = browser ] || [ "$mode" = samp ]; then
  # The values that check_form.py types in.
  expect "$work/browser" -1 1e7 -1 100000 2 3.2 " CIV " -1 1e6 -1 1e6 -1000 1000 -100 100
  if [ "$mode" = samp ]; then
    (cd "$work/browser" && "$build/catalix-table" >table.vot)
    /usr/bin/python3 "$here/check_samp.py" "$url/query.html" "$work/browser/"{table.vot,results.html} "$work"
    exit
  fi
  mkdir -p "$build/web-screenshots"
  /usr/bin/python3 "$here/check_form.py" "$url/query.html" "$work/browser/results.html" "$build/web-screenshots"
  exit
fi

if [ "$mode" = dali ]; then
  /usr/bin/python3 "$here/check_dali.py" "$url/catalix-cgi" "$build" "$folder/data"
  exit
fi

failed=0; fail() { echo "FAIL: $1"; failed=1; }

# The query string of fifteen values, as a form sends it.
query_of() {
  local k v out=""
  for k in "${!names[@]}"; do v="${1//+/%2B}"; out+="&${names[$k]}=${v// /+}"; shift; done
  echo "${out#&}"
}
if [ "$mode" = soak ]; then
  catalogue="$folder/data/absrp_sys_list.dat"
  "$build/bench/generate_catalogue" 30000000 "$catalogue" >/dev/null
  # Pages of 1, 2 and 6 MB, the last also cut off at random.
  any=(0 1e9 0 1e9) rest=(0 1e9 0 1e9 0 1e9 0 100)
  first=("${any[@]}" 2.0 2.05 CIV "${rest[@]}")
  queries=("$(query_of "${first[@]}")" "$(query_of "${any[@]}" 1.0 1.1 MgII "${rest[@]}")"
           "$(query_of "${any[@]}" 1.5 2.5 HI "${rest[@]}")")
  expect "$work/soak" "${first[@]}"
  curl -sS -o "$work/soak/answer" "$url/catalix-cgi?${queries[0]}"
  cmp -s "$work/soak/answer" "$work/soak/results.html" || fail "the first query's answer is not catalix's page"
  /usr/bin/python3 "$here/load.py" "$url" "${CATALIX_SOAK_SECONDS:-60}" "${CATALIX_SOAK_CLIENTS:-16}" \
    "$(pgrep -P "$pid" lighttpd)" "$folder/site/catalix-cgi" "${queries[@]}" || failed=1
  ! grep -v 'server started' "$folder/error.log" || fail "the server's log holds the lines above"
  [ ! -s "$folder/start.log" ] || fail "the programs said: $(head -c 600 "$folder/start.log")"
  [ "$failed" = 0 ] && echo "soak: passed"
  exit "$failed"
fi

# serve.sh: a port that is no port, or is taken, ends it at once (status 1,
# naming the port); a second run has a folder of its own, and Ctrl-C stops
# its server and removes that folder.
for bad in 80x 0 65536 "$port"; do
  status=0 && out="$(timeout 20 "$examples/serve.sh" "$build" "$bad" 2>&1)" || status=$?
  [ "$status" = 1 ] && grep -qF -- "$bad" <<<"$out" || fail "serve.sh at port $bad: status $status: $out"
done
grep -q "port $port is in use" <<<"$out" || fail "serve.sh at a taken port: $out"
first=("$url" "$folder")
serve second
[ "$folder" != "${first[1]}" ] && [ -d "${first[1]}" ] || fail "two runs share $folder"
kill -INT -- "-$pid" && { wait "$pid" || true; }
! curl -s -o /dev/null "$url/" && [ ! -e "$folder" ] || fail "Ctrl-C left the server or $folder"
servers=("${servers[0]}") url="${first[0]}" folder="${first[1]}"
echo "serve.sh: bad and taken ports refused, a folder per run, Ctrl-C cleans up"

# 50 queries at once, by GET (blanks as '+') and by POST (as curl encodes).
ions=(All CIV MgII FeII DLA " HI " SiIV "All but" "C IV" AlII)
spellings=(5 1e5 " 2.5 " +3 .5 5. 1E1 0.75)
senders=()
for i in $(seq 0 49); do
  values=(0 1e5 -1 1000 "$((i % 4)).$((i % 7))" "$((i % 3 + 2)).5" "${ions[$((i % 10))]}"
          0 3000 0 10000 0 "${spellings[$((i % 8))]}" 12 "$((i % 5 + 18))")
  expect "$work/expect/$i" "${values[@]}"
  args=()
  if [ $((i % 2)) = 0 ]; then
    query=""
    for k in "${!names[@]}"; do v="${values[$k]//+/%2B}"; query+="&${names[$k]}=${v// /+}"; done
    args=("$url/catalix-cgi?${query#&}")
  else
    for k in "${!names[@]}"; do args+=(--data-urlencode "${names[$k]}=${values[$k]}"); done
    args+=("$url/catalix-cgi")
  fi
  curl -sS -D "$work/expect/$i/head" -o "$work/expect/$i/body" "${args[@]}" & senders+=($!)
done
wait "${senders[@]}"
for i in $(seq 0 49); do
  head="$(tr -d '\r' <"$work/expect/$i/head")"
  grep -q '^HTTP/1.1 200' <<<"$head" && grep -qx 'Content-Type: text/html; charset=UTF-8' <<<"$head" \
    || fail "query $i: not 200 text/html in UTF-8: $head"
  cmp -s "$work/expect/$i/body" "$work/expect/$i/results.html" \
    || fail "query $i: the answer is not catalix's page"
done
echo "50 queries at once: each answered with its own page"
# The same query as a table: catalix-table's, by its type and file name.
for f in votable csv; do
  curl -sS -D "$work/head.$f" -o "$work/body.$f" "$url/catalix-cgi?${query#&}&format=$f"
  (cd "$work/expect/48" && "$build/catalix-table" $f >"$work/table.$f")
  cmp -s "$work/body.$f" "$work/table.$f" && grep -q "filename=\"catalix-lines" "$work/head.$f" \
    && grep -q "charset=UTF-8" "$work/head.$f" || fail "format=$f: not catalix-table's answer: $(cat "$work/head.$f")"
done

# Refusals: status, then a text the answer must hold.  Each case changes one
# field of a good query (ion_name=All) or sends something else altogether.
# The decoding rules are checked here too: '+', bad escapes, duplicates.
good="$(printf '&%s=1' "${names[@]}")" && good="${good:1}" && good="${good/ion_name=1/ion_name=All}"
# The good query with one field set to "name=value", or left out for "name".
changed() {
  local out="" pair pairs
  IFS='&' read -ra pairs <<<"$good"
  for pair in "${pairs[@]}"; do
    if [ "${pair%%=*}" != "${1%%=*}" ]; then out+="&$pair"; elif [ "$1" != "${1%%=*}" ]; then out+="&$1"; fi
  done
  echo "${out#&}"
}
while IFS='|' read -r status change text; do
  case "$change" in
    PUT) out="$(curl -sS -X PUT -D - "$url/catalix-cgi?$good")" ;;
    text/plain) out="$(curl -sS -D - -H "Content-Type: text/plain" --data "$good" "$url/catalix-cgi")" ;;
    # By POST: lighttpd refuses control characters in a URL and escapes a
    # lone '%' before the program sees them.
    *) out="$(curl -sS -D - --data "$(changed "$change")" "$url/catalix-cgi")" ;;
  esac
  out="$(tr -d '\r' <<<"$out")"
  grep -q "^HTTP/1.1 $status" <<<"$out" && grep -qF -- "$text" <<<"$out" \
    && grep -qx 'Content-Type: text/html; charset=UTF-8' <<<"$out" && grep -qx 'Cache-Control: no-store' <<<"$out" \
    || fail "$change: expected $status and \"$text\", got: $(head -c 600 <<<"$out")"
  ! grep -q '<script' <<<"$out" || fail "$change: the request is echoed unescaped"
done <<'CASES'
405|PUT|Allow: GET, HEAD, POST
415|text/plain|application/x-www-form-urlencoded
400|max_col_dens|<b>Column density, upper bound</b> is missing
400|max_col_dens=1&format=pdf|<b>Answer as</b> is none of html, votable and csv
400|min_z_abs=|<b>Absorption redshift, lower bound</b> is empty
400|min_z_abs=+|<b>Absorption redshift, lower bound</b> is empty
400|max_width=1e999|<b>Equivalent width, upper bound</b> is not a finite number
400|max_width=abc|<b>Equivalent width, upper bound</b> is not a decimal number
400|max_width=abc|<a href="query.html?min_resolution=1&amp;max_resolution=1&amp;min_s_to_n=1&amp;max_s_to_n=1&amp;min_z_abs=1&amp;max_z_abs=1&amp;ion_name=All&amp;min_rest_wv=1&amp;max_rest_wv=1&amp;min_obs_wv=1&amp;max_obs_wv=1&amp;min_width=1&amp;max_width=abc&amp;min_col_dens=1&amp;max_col_dens=1">
400|max_width=0x1p3|<b>Equivalent width, upper bound</b> is not a decimal number
400|max_width=inf|<b>Equivalent width, upper bound</b> is not a decimal number
400|max_width=5A|<b>Equivalent width, upper bound</b> is not a decimal number
400|max_width=%3Cscript%3E|&quot;&lt;script&gt;&quot;
400|min_s_to_n=1%2|<b>Signal-to-noise ratio, lower bound</b> holds a &#39;%&#39; not followed
400|min_s_to_n=1&min_s_to_n|<b>Signal-to-noise ratio, lower bound</b> is given more than once
400|ion_name=C%0AIV|<b>Ion name or system type</b> holds a control character
400|ion_name=C%00IV|<b>Ion name or system type</b> holds a control character
400|ion_name=%3Cscript%3E%09x|<b>Ion name or system type</b> holds a control character
400|ion_name=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA|longer than 98 characters
CASES

# The shipped configuration refuses a body above 64 KiB before it stores any
# of it: nothing reaches the upload folder while 1 MB is sent, with its
# length given or in chunks.  (The program's own limit answers 413 too, but
# only after the server has stored the whole body.)
head -c 1000000 /dev/zero | tr '\0' a >"$work/big"
for how in length chunked; do
  extra=() && [ $how = length ] || extra=(-H 'Transfer-Encoding: chunked')
  curl -sS -o /dev/null -w '%{http_code}' -H 'Expect:' "${extra[@]}" --limit-rate 1M \
    --data-binary @"$work/big" "$url/catalix-cgi" >"$work/big.$how" 2>/dev/null & sender=$!
  seen=""
  while kill -0 "$sender" 2>/dev/null; do seen="${seen:-$(ls -A "$folder/uploads")}"; sleep 0.02; done
  wait "$sender" || true
  [ "$(cat "$work/big.$how")" = 413 ] && [ -z "$seen" ] || fail "1 MB by $how: $(cat "$work/big.$how"), stored: $seen"
done
echo "refusals: each with its status, labels and values; 1 MB refused before it is stored"

# HEAD: the headers of GET, no body.  Every answer declares its character
# set and nosniff; one made from the catalogue may be kept, and is checked
# again by its ETag or by its Last-Modified, the later of the two files'
# times, which a matching request gets a 304 for.
headers() { rm -f "$work/got" && curl -sS -D - -o "$work/got" "$@" | tr -d '\r' | grep -v '^Date:'; }
got="$(headers "$url/catalix-cgi?$good")"
# Less the server's framing of a GET's body: a length where it has it all,
# chunks where it streams it.
framing='^(Content-Length|Transfer-Encoding|Accept-Ranges):'
[ "$(headers -I "$url/catalix-cgi?$good" | grep -vE "$framing")" = "$(grep -vE "$framing" <<<"$got")" ] \
  || fail "HEAD's headers are not GET's: $got"
data="$folder/data"
newest="$(ls -t "$data/absrp_sys_list.dat" "$data/style.var" | head -1)"
for line in 'X-Content-Type-Options: nosniff' 'Cache-Control: no-cache' 'ETag: "[0-9a-f]{16}"' \
    "Last-Modified: $(date -u -r "$newest" '+%a, %d %b %Y %H:%M:%S GMT')"; do
  grep -qEx "$line" <<<"$got" || fail "no $line: $got"
done
for page in query.html query.js; do
  grep -qi '^Content-Type: text/[a-z]*; charset=utf-8$' <<<"$(headers "$url/$page")" \
    && grep -qx 'X-Content-Type-Options: nosniff' <<<"$(headers "$url/$page")" || fail "$page: $(headers "$url/$page")"
done
etag="$(sed -n 's/^ETag: //p' <<<"$got")" && since="$(sed -n 's/^Last-Modified: //p' <<<"$got")"
other="${good/ion_name=All/ion_name=CIV}"
while IFS='|' read -r code target match modified; do
  h=() && [ -z "$match" ] || h+=(-H "If-None-Match: ${match//TAG/$etag}")
  [ -z "$modified" ] || h+=(-H "If-Modified-Since: ${modified//SINCE/$since}")
  got="$(headers "${h[@]}" "$url/catalix-cgi?${!target}")"
  grep -q "^HTTP/1.1 $code" <<<"$got" && { [ "$code" = 200 ] || [ ! -s "$work/got" ]; } \
    || fail "$target, If-None-Match $match, If-Modified-Since $modified: $got"
done <<'CASES'
304|good|TAG|
304|good|"x", W/TAG|
304|good|*|
304|good||SINCE
304|good||Sat, 01 Jan 2101 00:00:00 GMT
200|good||Sat, 01 Jan 2000 00:00:00 GMT
200|good|"x"|SINCE
200|other|TAG|
CASES
touch -d '-1 hour' "$data/absrp_sys_list.dat"
grep -q '^HTTP/1.1 200' <<<"$(headers -H "If-None-Match: $etag" "$url/catalix-cgi?$good")" \
  || fail "the ETag stays when the catalogue changes"

# The names list: each name of the catalogue with its number of lines, as
# the table of every line counts them; cached by the same rule.
expect "$work/all" -1 1e7 -1 1e5 -1 100 All -1 1e6 -1 1e6 -1000 1000 -100 100
got="$(headers "$url/catalix-cgi?names")" && cp "$work/got" "$work/names.json"
(cd "$work/all" && "$build/catalix-table" csv) | /usr/bin/python3 -c '
import collections, csv, json, sys
lines = collections.Counter(row["ion"] for row in csv.DictReader(sys.stdin) if row["ion"])
got = json.load(open(sys.argv[1]))
if not got["complete"] or {n["name"]: n["lines"] for n in got["names"]} != lines:
    sys.exit("FAIL: names %s, the table counts %s" % (got, dict(lines)))' "$work/names.json" || failed=1
grep -qx 'Content-Type: application/json; charset=UTF-8' <<<"$got" || fail "names: $got"
etag="$(sed -n 's/^ETag: //p' <<<"$got")"
grep -q '^HTTP/1.1 304' <<<"$(headers -H "If-None-Match: $etag" "$url/catalix-cgi?names")" || fail "names: no 304"

# Straight from the shell: the server's configuration, the log, a 304 made
# without reading the catalogue (one nobody may not read), HEAD's empty body.
query="${good/ion_name=All/ion_name=++CIV%20}&format=html"
run() { env -i REQUEST_METHOD=GET QUERY_STRING="$query" "$@" "$build/catalix-cgi" 2>/dev/null; }
out="$(run)"
grep -qx 'Status: 500 Internal Server Error' <<<"$out" && grep -q CATALIX_DATA <<<"$out" \
  || fail "no 500 naming CATALIX_DATA without it: $out"
mkdir -m 755 "$work/tmp" "$work/locked" && chmod 755 "$work"
out="$(run CATALIX_DATA="$work/tmp")"
grep -qx 'Status: 500 Internal Server Error' <<<"$out" || fail "no 500 without a catalogue: $out"
! grep -q "$work" <<<"$out" || fail "a 500 page shows a path"
cp -p "$examples/absrp_sys_list.dat" "$work/tmp/"
grep -qx 'Content-Type: text/html; charset=ISO-8859-1' <<<"$(run CATALIX_DATA="$work/tmp" CATALIX_CHARSET=ISO-8859-1)" \
  && grep -qx 'Status: 500 Internal Server Error' <<<"$(run CATALIX_DATA="$work/tmp" CATALIX_CHARSET='a"b')" \
  || fail "CATALIX_CHARSET is not followed"
[ "$(run REQUEST_METHOD=HEAD CATALIX_DATA="$work/tmp" | sed '1,/^$/d' | wc -c)" = 0 ] || fail "HEAD has a body"
cp -p "$examples/absrp_sys_list.dat" "$build/catalix-cgi" "$work/locked/"
etag="$(run CATALIX_DATA="$work/locked" | sed -n 's/^ETag: //p')" && chmod 000 "$work/locked/absrp_sys_list.dat"
as=() && [ "$(id -u)" != 0 ] || as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
locked() { env -i REQUEST_METHOD=GET QUERY_STRING="$query" CATALIX_DATA="$work/locked" "$@" "${as[@]}" "$work/locked/catalix-cgi" 2>/dev/null; }
grep -qx 'Status: 304 Not Modified' <<<"$(locked HTTP_IF_NONE_MATCH="$etag")" \
  && grep -qx 'Status: 500 Internal Server Error' <<<"$(locked)" || fail "a 304 reads the catalogue"
env -i REQUEST_METHOD=GET QUERY_STRING="$query" CATALIX_DATA="$work/tmp" "$build/catalix-cgi" 2>"$work/log" | sed '1,/^$/d' >"$work/page"
grep -qx 'error of opening file style.var' "$work/log" || fail "the missing style.var is not logged"
mkdir "$work/nostyle" && cp "$examples/absrp_sys_list.dat" "$work/nostyle/"
sed 's/All/CIV /' <<<"${good//&/$'\n'}" >"$work/nostyle/absrp_query.frm"
(cd "$work/nostyle" && "$build/catalix" >/dev/null)
cmp -s "$work/page" "$work/nostyle/results.html" || fail "without style.var: not catalix's page"
new="$(find "$folder" -type f -newer "$folder/lighttpd.conf" ! -name '*.log')"
[ -z "$new" ] || fail "files were written: $new"

[ "$failed" = 0 ] && echo "web checks passed"
