#!/usr/bin/env bash
# Runs catalix on the example files in a scratch copy, so that the tracked
# files stay as they are, and puts the site's other pages next to the
# answer, so that every link of its menu works.
# Usage: examples/demo.sh BUILD_DIR [INPUT_DIR]
#   BUILD_DIR is a build folder, or an installed prefix (with bin/catalix)
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
program="$build/catalix" pages="$build/site"
[ ! -x "$build/bin/catalix" ] || program="$build/bin/catalix" pages="$build/share/catalix"
cp "$pages/introduction.html" "$pages/manual.html" "$pages/references.html" "$pages/query.html" "$demo/"
(cd "$demo" && "$program")
echo "The results page is $demo/results.html"
