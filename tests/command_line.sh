#!/usr/bin/env bash
# The command lines of the programs: each companion answers --help and
# --version on standard output with status 0 (1 when that output cannot be
# written) and refuses an unknown option with its usage line and status 2;
# catalix-cgi does so only when run by hand, and says what it is when run
# by hand without a request; catalix ignores its arguments.
# Usage: command_line.sh BUILD_DIR VERSION PROGRAM...
set -uo pipefail
build="$(cd "$1" && pwd)" version="$2"
shift 2
tmp="$(mktemp -d)" && trap 'rm -rf "$tmp"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# check WANT_STATUS WANT_STDOUT_PATTERN WANT_STDERR_PATTERN PROGRAM ARGS...
# (patterns are grep -E on the whole output; "" wants it empty)
check() {
  local status=$1 out=$2 err=$3
  shift 3
  (cd "$tmp" && env -u GATEWAY_INTERFACE -u REQUEST_METHOD "$@" >out 2>err </dev/null)
  local got=$?
  [ "$got" = "$status" ] || fail "$* gave status $got, not $status"
  for stream in out err; do
    local want=$out && [ $stream = out ] || want=$err
    if [ -z "$want" ]; then
      [ ! -s "$tmp/$stream" ] || fail "$* wrote to std$stream: $(head -c 200 "$tmp/$stream")"
    else
      grep -Eq -- "$want" "$tmp/$stream" || fail "$* wrote to std$stream: $(head -c 200 "$tmp/$stream")"
    fi
  done
}
for program in "$@"; do
  [ "$program" != catalix ] || continue
  p="$build/$program"
  check 0 "^$program $version\$" "" "$p" --version
  [ "$(wc -l <"$tmp/out")" = 1 ] || fail "$program --version wrote more than one line"
  check 0 "^usage: $program" "" "$p" --help
  check 0 "^$program $version\$" "" "$p" --version extra
  check 2 "" "^usage: $program" "$p" --no-such-option
  # After "--" an argument is a file name, which catalix-check takes.
  [ "$program" = catalix-check ] || check 2 "" "^usage: $program" "$p" -- --help
  if [ -w /dev/full ]; then check 1 "" "could not be written" sh -c "exec \"\$0\" --help >/dev/full" "$p"; fi
done
# catalix-cgi: what it is, by hand; under a server, arguments are not options.
check 2 "" "is a CGI program" "$build/catalix-cgi"
check 0 "^Status: 405" "" env GATEWAY_INTERFACE=CGI/1.1 "$build/catalix-cgi" --version
check 0 "^Status: 400" "" env REQUEST_METHOD=GET QUERY_STRING=min_z_abs= "$build/catalix-cgi"
# catalix: the same run and page with arguments as without.
examples="$(dirname "$0")/../examples"
cp "$examples"/{style.var,absrp_query.frm,absrp_sys_list.dat} "$tmp/"
check 0 "" "" "$build/catalix" && mv "$tmp/results.html" "$tmp/plain.html" && mv "$tmp/out" "$tmp/plain.out"
check 0 "" "" "$build/catalix" --help --version query
cmp -s "$tmp/plain.html" "$tmp/results.html" && cmp -s "$tmp/plain.out" "$tmp/out" ||
  fail "catalix answers otherwise with arguments"
[ "$failed" = 0 ] && echo "command lines: ok"
