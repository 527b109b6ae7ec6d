#!/usr/bin/env bash
# Runs the Linux build and the Windows build (under wine) on the same
# generated inputs and compares what they write, after turning each LF of
# the Linux output into CR LF.  The inputs put unusual number spellings into
# every numeric field of the catalogue, the query form and the style file,
# where a C library of another platform reads or prints differently from
# glibc's.
# Usage: tests/windows/compare_native.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
native="$(cd "${1:?usage: compare_native.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR}" && pwd)" || exit 1
windows="$(cd "${2:?usage: compare_native.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR}" && pwd)" || exit 1
. "$here/crlf.sh"
. "$here/wine_env.sh"

spellings=(
  0 -0 1 -1 2.5 +.5 .5 5. 00012 100000 1e5 100000.0 1000000 123456789 1e9 1e10
  0.00001 1e-5 1e-16 1.0e-16 1e-20 1e-40 1e-60 1e-80 -0.95 -1.2 100021.41 99990
  1e+ 1e- 1.5e 1.5E+2x - . -.e5 .E7 +-1 e5 12abc 1,5 inf -INF infinity infinit
  nan NaN nan\(123\) nanx 0x1p3 0X1.8P+1 0x 0xg 0x.8 0x1.000000000000080000001p0
  1e400 1e-400 4.9e-324 2.4703282292062328e-324 2.2250738585072011e-308
  1.7976931348623157e308 1.7976931348623159e308 9007199254740993
  1.00000000000000011102230246251565404236316680908203125
  0.1000000000000000055511151231257827 123456789012345678901234567890
)

catalogue() {
  printf '! Q 0000+000$ L0\n%%\n%s - %s A R = %s S/N = %s $ z = %s $ caption\n%%\n' "$1" "$1" "$1" "$1" "$1"
  printf '%s$CIV{%s} %s %s %s %s r1\n' "$1" "$1" "$1" "$1" "$1" "$1"
  printf '        $  {1550.781} %s 0.1 %s 0.01 r2\n' "$1" "$1"
  printf '2.0$DLA{} %s damped\n_\n#\n' "$1"
}
form() {  # $1 every bound but the ion name
  local i
  for i in 1 2 3 4 5 6; do printf 'bound %s = %s\n' "$i" "$1"; done
  printf 'name =All \n'
  for i in 8 9 10 11 12 13 14 15; do printf 'bound %s = %s\n' "$i" "$1"; done
}
wide_form() {  # everything selected, so every number reaches the page
  printf 'a = -1e300\nb = 1e300\nc = -1e300\nd = 1e300\ne = -1e300\nf = 1e300\n'
  printf 'name =All \n'
  printf 'g = -1e300\nh = 1e300\ni = -1e300\nj = 1e300\nk = -1e300\nl = 1e300\nm = -1e300\nn = 1e300\n'
}
style() {
  printf 'border = %s\nwidth = %s\nheight = %s\ncolours =y\nheader =c\ncells =%s\n' "$1" "$1" "$1" "$1"
}

passed=0
failed=0
compare_run() {  # $1 case name, $2 directory, $3... command words
  local name="$1" dir="$2"
  shift 2
  rm -rf "$dir/linux" "$dir/windows"
  mkdir -p "$dir/linux" "$dir/windows"
  cp "$dir"/in/* "$dir/linux/"
  cp "$dir"/in/* "$dir/windows/"
  (cd "$dir/linux" && "$native/$1" "${@:2}" >../linux.out 2>/dev/null </dev/null)
  local linux_status=$?
  cd "$dir/windows"
  run_exe ../windows.out ../windows.err "$windows/$1.exe" "${@:2}"
  local windows_status=$?
  cd - >/dev/null
  local ok=1
  [ "$linux_status" = "$windows_status" ] || {
    echo "FAIL $name: status $linux_status on Linux, $windows_status on Windows"
    head -5 "$dir/windows.err"
    ok=0
  }
  to_crlf "$dir/linux.out" > "$dir/want"
  cmp -s "$dir/want" "$dir/windows.out" || {
    echo "FAIL $name: standard output differs (Linux, then Windows):"
    diff <(tr -d '\r' < "$dir/want") <(tr -d '\r' < "$dir/windows.out") | head -6
    ok=0
  }
  if [ -f "$dir/linux/results.html" ]; then
    to_crlf "$dir/linux/results.html" > "$dir/want"
    cmp -s "$dir/want" "$dir/windows/results.html" || {
      echo "FAIL $name: results.html differs (Linux, then Windows):"
      diff <(tr -d '\r' < "$dir/want") <(tr -d '\r' < "$dir/windows/results.html") | head -6
      ok=0
    }
  fi
  if [ "$ok" = 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

index=0
for spelling in "${spellings[@]}"; do
  index=$((index + 1))
  dir="$wine_tmp/compare/$index"
  mkdir -p "$dir/in"
  catalogue "$spelling" > "$dir/in/absrp_sys_list.dat"
  style "$spelling" > "$dir/in/style.var"
  wide_form > "$dir/in/absrp_query.frm"
  compare_run "'$spelling' in the catalogue and the style" "$dir" catalix
  compare_run "'$spelling' in the catalogue dump" "$dir" catalix-dump
  form "$spelling" > "$dir/in/absrp_query.frm"
  compare_run "'$spelling' as query bounds" "$dir" catalix
  compare_run "'$spelling' in the query dump" "$dir" catalix-dump query
done

[ "$wine_retries" = 0 ] || echo "note: $wine_retries runs were tried again after wine failed to start them"
echo "native: $passed passed, $failed failed"
[ "$failed" = 0 ]
