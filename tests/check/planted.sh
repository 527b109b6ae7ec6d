#!/usr/bin/env bash
# Each mistake of planted.txt, planted in the example catalogue, is reported
# by catalix-check with its code at its line and column.
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
  if ! grep -q "\"line\":${place%:*},\"column\":${place#*:},.*\"code\":\"$code\"" "$tmp/findings"; then
    failed=$((failed + 1))
    echo "FAIL: $code at $place for $command; found:"
    sed 's/^/  /' "$tmp/findings" | head -n 5
  fi
done < "$here/planted.txt"
echo "planted mistakes: $planted, $failed not reported where planted"
[ "$failed" = 0 ]
