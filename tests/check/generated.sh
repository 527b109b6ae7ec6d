#!/usr/bin/env bash
# A catalogue from the benchmark's generator is read as written and its values
# agree with each other: catalix-check finds nothing, not even a warning.
# Usage: generated.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
tmp="$(mktemp -d)" && trap 'rm -rf "$tmp"' EXIT
"$build/bench/generate_catalogue" 3000000 "$tmp/absrp_sys_list.dat" >/dev/null
(cd "$tmp" && "$build/catalix-check" --fail-on=warning) | tail -n 12
