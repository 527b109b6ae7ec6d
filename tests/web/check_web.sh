#!/usr/bin/env bash
# Serves the site's pages and catalix-cgi with lighttpd on 127.0.0.1 at a
# free port, then either (curl) checks answers with curl: 50 queries sent at
# once, each answered by the page that catalix writes for a form file of the
# same values, and the refusals; or (browser) runs check_form.py, which fills
# in query.html in headless Chromium through Selenium.
# Usage: tests/web/check_web.sh BUILD_DIR curl|browser
# Exit status 77 (a skip) where lighttpd, curl or the browser is missing.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
examples="$(cd "$here/../../examples" && pwd)"
build="$(cd "${1:?usage: check_web.sh BUILD_DIR curl|browser}" && pwd)"
mode="${2:?usage: check_web.sh BUILD_DIR curl|browser}"
skip() { echo "SKIP: $1 is not installed (Debian package $2)"; exit 77; }
lighttpd="$(PATH="$PATH:/usr/sbin" command -v lighttpd)" || skip lighttpd lighttpd
command -v curl >/dev/null || skip curl curl
if [ "$mode" = browser ]; then
  /usr/bin/python3 -c 'import selenium' 2>/dev/null || skip Selenium python3-selenium
  [ -x /usr/bin/chromedriver ] || skip chromedriver chromium-driver
fi

work="$(mktemp -d)"
server=""
trap '[ -z "$server" ] || kill "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/site" "$work/data" "$work/tmp"
cp "$build"/site/*.html "$build/catalix-cgi" "$work/site/"
cp "$examples/absrp_sys_list.dat" "$examples/style.var" "$work/data/"

# A port picked at random; lighttpd ends at once where it is taken.
for attempt in 1 2 3 4 5; do
  port=$((20000 + RANDOM % 40000))
  cat >"$work/lighttpd.conf" <<CONF
server.modules = ( "mod_cgi", "mod_setenv" )
server.document-root = "$work/site"
server.bind = "127.0.0.1"
server.port = $port
server.errorlog = "$work/error.log"
server.upload-dirs = ( "$work/tmp" )
mimetype.assign = ( ".html" => "text/html" )
cgi.assign = ( "/catalix-cgi" => "" )
setenv.add-environment = ( "CATALIX_DATA" => "$work/data" )
CONF
  "$lighttpd" -D -f "$work/lighttpd.conf" & server=$!
  for _ in $(seq 50); do
    curl -fs -o /dev/null "http://127.0.0.1:$port/query.html" && break 2
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
  done
  kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; server=""
done
[ -n "$server" ] || { echo "FAIL: lighttpd did not start"; cat "$work/error.log" 2>/dev/null; exit 1; }
url="http://127.0.0.1:$port"
echo "lighttpd serves $work/site at $url"

names=(min_resolution max_resolution min_s_to_n max_s_to_n min_z_abs max_z_abs ion_name
       min_rest_wv max_rest_wv min_obs_wv max_obs_wv min_width max_width min_col_dens max_col_dens)
# The page that catalix writes for a form file of these fifteen values: the
# numbers as typed, the name without blanks around it and one blank after.
expect() {
  local dir="$1" i v=("${@:2}")
  mkdir -p "$dir" && cp "$work/data/absrp_sys_list.dat" "$work/data/style.var" "$dir/"
  v[6]="$(sed -E 's/^[[:space:]]+|[[:space:]]+$//g' <<<"${v[6]}") "
  for i in "${!names[@]}"; do printf '%s =%s\n' "${names[$i]}" "${v[$i]}"; done >"$dir/absrp_query.frm"
  (cd "$dir" && "$build/catalix" >/dev/null)
}

if [ "$mode" = browser ]; then
  # The values that check_form.py types in.
  expect "$work/browser" -1 1e7 -1 100000 2 3.2 " CIV " -1 1e6 -1 1e6 -1000 1000 -100 100
  /usr/bin/python3 "$here/check_form.py" "$url/query.html" "$work/browser/results.html"
  exit
fi

failed=0; fail() { echo "FAIL: $1"; failed=1; }

# 50 queries at once, by GET (blanks as '+') and by POST (as curl encodes).
ions=(All CIV MgII FeII DLA " HI " SiIV "All but" "C IV" AlII)
spellings=(5 1e5 " 2.5 " +3 .5 5. 1E1 0.75)
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
  curl -sS -D "$work/expect/$i/head" -o "$work/expect/$i/body" "${args[@]}" &
done
wait $(jobs -p | grep -v "^$server$")
for i in $(seq 0 49); do
  head="$(tr -d '\r' <"$work/expect/$i/head")"
  grep -q '^HTTP/1.1 200' <<<"$head" && grep -qi '^Content-Type: text/html$' <<<"$head" \
    || fail "query $i: not 200 text/html: $head"
  cmp -s "$work/expect/$i/body" "$work/expect/$i/results.html" \
    || fail "query $i: the answer is not catalix's page"
done
echo "50 queries at once: each answered with its own page"
# The same query as a table: catalix-table's, by its type and file name.
for f in votable csv; do
  curl -sS -D "$work/head.$f" -o "$work/body.$f" "$url/catalix-cgi?${query#&}&format=$f"
  (cd "$work/expect/48" && "$build/catalix-table" $f >"$work/table.$f")
  cmp -s "$work/body.$f" "$work/table.$f" && grep -q "filename=\"catalix-lines" "$work/head.$f" \
    || fail "format=$f: not catalix-table's answer: $(cat "$work/head.$f")"
done

# Refusals: status, then a text the page must hold.  Each case changes one
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
    HEAD) out="$(curl -sS -I "$url/catalix-cgi?$good")" ;;
    text/plain) out="$(curl -sS -D - -H "Content-Type: text/plain" --data "$good" "$url/catalix-cgi")" ;;
    big) out="$(head -c 70000 /dev/zero | tr '\0' a | curl -sS -D - --data-binary @- "$url/catalix-cgi")" ;;
    # By POST: lighttpd refuses control characters in a URL and escapes a
    # lone '%' before the program sees them.
    *) out="$(curl -sS -D - --data "$(changed "$change")" "$url/catalix-cgi")" ;;
  esac
  grep -q "^HTTP/1.1 $status" <<<"$out" && grep -qF -- "$text" <<<"$out" \
    || fail "$change: expected $status and \"$text\", got: $(head -c 600 <<<"$out")"
  ! grep -q '<script' <<<"$out" || fail "$change: the request is echoed unescaped"
done <<'CASES'
405|PUT|Allow: GET, POST
405|HEAD|Allow: GET, POST
415|text/plain|application/x-www-form-urlencoded
413|big|64 KiB
400|max_col_dens|<b>max_col_dens</b> is missing
400|max_col_dens=1&format=pdf|<b>format</b> is none of html, votable and csv
400|min_z_abs=|<b>min_z_abs</b> is empty
400|min_z_abs=+|<b>min_z_abs</b> is empty
400|max_width=1e999|<b>max_width</b> is not a finite number
400|max_width=abc|<b>max_width</b> is not a decimal number
400|max_width=0x1p3|<b>max_width</b> is not a decimal number
400|max_width=inf|<b>max_width</b> is not a decimal number
400|max_width=5A|<b>max_width</b> is not a decimal number
400|max_width=%3Cscript%3E|&quot;&lt;script&gt;&quot;
400|min_s_to_n=1%2|<b>min_s_to_n</b> holds a &#39;%&#39; not followed
400|min_s_to_n=1&min_s_to_n|<b>min_s_to_n</b> is given more than once
400|ion_name=C%0AIV|<b>ion_name</b> holds a control character
400|ion_name=C%00IV|<b>ion_name</b> holds a control character
400|ion_name=%3Cscript%3E%09x|<b>ion_name</b> holds a control character
400|ion_name=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA|longer than 98 characters
CASES

# Straight from the shell: the server's configuration and the log.
query="${good/ion_name=All/ion_name=++CIV%20}&format=html"
run() { env -i REQUEST_METHOD=GET QUERY_STRING="$query" "$@" "$build/catalix-cgi" 2>/dev/null; }
out="$(run)"
grep -qx 'Status: 500 Internal Server Error' <<<"$out" && grep -q CATALIX_DATA <<<"$out" \
  || fail "no 500 naming CATALIX_DATA without it: $out"
out="$(run CATALIX_DATA="$work/tmp")"
grep -qx 'Status: 500 Internal Server Error' <<<"$out" || fail "no 500 without a catalogue: $out"
! grep -q "$work" <<<"$out" || fail "a 500 page shows a path"
cp -p "$work/data/absrp_sys_list.dat" "$work/tmp/"
env -i REQUEST_METHOD=GET QUERY_STRING="$query" CATALIX_DATA="$work/tmp" "$build/catalix-cgi" 2>"$work/log" | tail -n +3 >"$work/page"
grep -qx 'error of opening file style.var' "$work/log" || fail "the missing style.var is not logged"
mkdir "$work/nostyle" && cp "$work/data/absrp_sys_list.dat" "$work/nostyle/"
sed 's/All/CIV /' <<<"${good//&/$'\n'}" >"$work/nostyle/absrp_query.frm"
(cd "$work/nostyle" && "$build/catalix" >/dev/null)
cmp -s "$work/page" "$work/nostyle/results.html" || fail "without style.var: not catalix's page"
new="$(find "$work/site" "$work/data" "$work/tmp" -type f -newer "$work/lighttpd.conf")"
[ -z "$new" ] || fail "files were written: $new"

[ "$failed" = 0 ] && echo "web checks passed"
