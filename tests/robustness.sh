#!/usr/bin/env bash
# Damaged input through the whole program.  Each run must exit 0 within ten
# seconds with a whole page, say nothing but lost-marker warnings, report
# nothing on standard error (the sanitizers) and leave its inputs alone; and
# catalix-check must locate each lost-marker warning of a damaged catalogue,
# in the same order.
#   robustness.sh BUILD_DIR sweep [STRIDE]  every prefix and single-byte deletion of the
#       example catalogue (every STRIDE-th), every marker character blanked or doubled,
#       every line end given a CR; the same for the query form and the style file
#   robustness.sh BUILD_DIR corpus   every input of fuzz/corpus/ in place of its file
#   robustness.sh BUILD_DIR memory   a 20 MB catalogue within 32 MB of address space
#   robustness.sh BUILD_DIR reread   pages made from a second reading of the catalogue:
#       a page that is a pipe, and counts too long for the head's placeholders
set -uo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:?usage: robustness.sh BUILD_DIR sweep|corpus|memory}" && pwd)" || exit 1
mode="${2:-sweep}" stride="${3:-1}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
good() { cp "$source_dir/examples/"{absrp_sys_list.dat,absrp_query.frm,style.var} "$tmp/"; }
runs=0 failed=0

# check FILE WHAT: runs the program with FILE damaged as held in $tmp/input.
check() {
  cp "$tmp/input" "$tmp/$1" && rm -f "$tmp/results.html"
  (cd "$tmp" && timeout 10 "$build/catalix" >out 2>err </dev/null)
  local status=$? problem=""
  [ "$status" = 0 ] || problem="exit status $status"
  [ -s "$tmp/out" ] && grep -qv "^file read message: stop_signal '.' lost$" "$tmp/out" && problem+=" unexpected output"
  [ -s "$tmp/err" ] && problem+=" standard error: $(head -c 200 "$tmp/err")"
  [ "$(tail -c 8 "$tmp/results.html" 2>/dev/null)" = '</html>' ] || problem+=" page not whole"
  cmp -s "$tmp/input" "$tmp/$1" || problem+=" input changed"
  if [ "$1" = absrp_sys_list.dat ]; then
    # catalix-check locates each of the program's messages, in their order.
    (cd "$tmp" && timeout 10 "$build/catalix-check" --format=json --select=CX104 --max-repeat=0 \
       >found 2>err </dev/null)
    [ $? -le 1 ] && [ ! -s "$tmp/err" ] || problem+=" catalix-check failed: $(head -c 200 "$tmp/err")"
    [ "$(grep -o "stop_signal '.'" "$tmp/out")" = "$(grep -o "stop_signal '.'" "$tmp/found")" ] ||
      problem+=" catalix-check located other messages than catalix said"
  fi
  runs=$((runs + 1))
  [ -z "$problem" ] && return
  failed=$((failed + 1))
  [ "$failed" -le 20 ] && echo "FAIL $1, $2:$problem"
}

# sweep FILE: the damaged versions of one input.
sweep() {
  local file="$1" markers="$2" whole="$source_dir/examples/$1" size i c text
  size=$(wc -c < "$whole") text="$(cat "$whole")"
  good
  for ((i = 0; i < size; i += stride)); do
    head -c "$i" "$whole" > "$tmp/input" && check "$file" "prefix of $i bytes"
    { head -c "$i" "$whole"; tail -c +$((i + 2)) "$whole"; } > "$tmp/input" && check "$file" "byte $i deleted"
  done
  for ((i = 0; i < size; i++)); do
    c="${text:i:1}"
    case "$markers" in *"$c"*) ;; *) continue ;; esac
    for with in ' ' "$c$c"; do
      { head -c "$i" "$whole"; printf '%s' "$with"; tail -c +$((i + 2)) "$whole"; } > "$tmp/input"
      check "$file" "'$c' at $i made '$with'"
    done
  done
  sed 's/$/\r/' "$whole" > "$tmp/input" && check "$file" "CR LF line ends"
}

case "$mode" in
  sweep)
    sweep absrp_sys_list.dat '$=%_#*{'
    sweep absrp_query.frm '='
    sweep style.var '=' ;;
  corpus)
    good
    for target in catalogue:absrp_sys_list.dat query_form:absrp_query.frm style:style.var; do
      for input in "$source_dir/fuzz/corpus/${target%%:*}"/*; do
        cp "$input" "$tmp/input" && check "${target#*:}" "$(basename "$input")"
      done
      good
    done ;;
  memory)
    # Held whole, the catalogue would take some 150 MB.
    good && "$build/bench/generate_catalogue" 20000000 "$tmp/absrp_sys_list.dat" >/dev/null
    (cd "$tmp" && ulimit -v 32768 && "$build/catalix" >out 2>&1)
    status=$?
    runs=1
    [ "$status" = 0 ] || { failed=1; echo "FAIL: status $status in 32 MB: $(head -c 300 "$tmp/out")"; } ;;
  reread)
    # Two spectra with white space between them, the page into a pipe.
    case_dir="$source_dir/tests/e2e/page_style_upper_case_y"
    bash "$source_dir/tests/case_inputs.sh" "$case_dir" "$tmp" && mkfifo "$tmp/results.html"
    cat "$tmp/results.html" > "$tmp/page" &
    (cd "$tmp" && timeout 10 "$build/catalix" >out 2>&1) && wait
    cmp -s "$tmp/page" "$case_dir/results.html" && cmp -s "$tmp/out" "$case_dir/stdout" \
      || { failed=1; echo "FAIL: the page through a pipe is not the page"; }
    # A million and one spectra, one of them selected.
    rm -f "$tmp/results.html" && good
    { sed -n '1,/^_/p' "$source_dir/examples/absrp_sys_list.dat"
      yes 'x$a *
%1e-40_' | head -n 2000000; echo '#'; } > "$tmp/absrp_sys_list.dat"
    (cd "$tmp" && timeout 60 "$build/catalix" >out 2>&1)
    grep -q '#800080">1     </font> QSO' "$tmp/results.html" && grep -q '#800080">1000001</font></h4>' "$tmp/results.html" \
      && [ "$(grep -c '<table  ' "$tmp/results.html")" = 1 ] && [ "$(tail -c 8 "$tmp/results.html")" = '</html>' ] \
      || { failed=1; echo "FAIL: a million spectra: $(grep -o 'Total number[^<]*<[^<]*' "$tmp/results.html")"; }
    runs=2 ;;
esac
echo "$mode: $runs runs, $failed failed"
[ "$failed" = 0 ]
