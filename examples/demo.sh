#!/usr/bin/env bash
# Runs catalix on the example files in a scratch copy, so that the tracked
# files stay as they are.  Usage: examples/demo.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp "$here/style.var" "$here/absrp_query.frm" "$here/absrp_sys_list.dat" "$demo/"
(cd "$demo" && "$build/catalix")
echo "The results page is $demo/results.html"
