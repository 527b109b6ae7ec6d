#!/usr/bin/env bash
# Each mistake of planted.txt, planted in the example catalogue, is reported
# by catalix-check with its code where it begins and ends, or not at all.
# Usage: planted.sh BUILD_DIR
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
check="$(cd "$1" && pwd)/catalix-check"
tmp="$(mktemp -d)" && trap 'rm -rf "$tmp"' EXIT
failed=0 planted=0
while read -r code place command; do
  case "$code" in ''|'#'*) continue ;; esac
  planted=$((planted + 1))
  bash -c "$command" < "$here/../../examples/absrp_sys_list.dat" > "$tmp/absrp_sys_list.dat"
  (cd "$tmp" && "$check" --format=json --max-repeat=0 > findings)
  begin="${place%-*}" end="${place#*-}" want=1
  pattern="\"line\":${begin%:*},\"column\":${begin#*:},\"end_line\":${end%:*},\"end_column\":${end#*:},"
  [ "$place" = none ] && pattern="" want=0
  found=0 && grep -q "$pattern.*\"code\":\"$code\"" "$tmp/findings" && found=1
  if [ "$found" != "$want" ]; then
    failed=$((failed + 1))
    echo "FAIL: $code at $place for $command; found:"
    sed 's/^/  /' "$tmp/findings" | head -n 5
  fi
done < "$here/planted.txt"
echo "planted mistakes: $planted, $failed not reported as planted"
[ "$failed" = 0 ]
