#!/usr/bin/env bash
# Runs catalix on the example files in a scratch copy, so that the tracked
# files stay as they are, and puts the site's other pages next to the
# answer, so that every link of its menu works.
# Usage: examples/demo.sh BUILD_DIR [INPUT_DIR]
#   INPUT_DIR holds style.var, absrp_query.frm and absrp_sys_list.dat
#   (default: this folder).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
inputs="$(cd "${2:-$here}" && pwd)"
demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp "$inputs/style.var" "$inputs/absrp_query.frm" "$inputs/absrp_sys_list.dat" "$demo/"
cp "$build/site/introduction.html" "$build/site/manual.html" "$build/site/references.html" \
   "$build/site/query.html" "$demo/"
(cd "$demo" && "$build/catalix")
echo "The results page is $demo/results.html"
