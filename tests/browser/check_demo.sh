#!/usr/bin/env bash
# Opens the demo's results.html, and the pages its menu links to, in headless
# Chromium and checks the DOM the browser built (tests/browser/check_dom.py).
# The demo is made by examples/demo.sh from the bundled example, or from
# tests/browser/sample where the example catalogue is missing.
# Usage: tests/browser/check_demo.sh BUILD_DIR
# Exit status 77 (a skip) where Chromium or Python is not installed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(cd "$here/../.." && pwd)"
build="$(cd "${1:?usage: check_demo.sh BUILD_DIR}" && pwd)"

browser=""
for name in chromium chromium-browser; do
  if command -v "$name" >/dev/null 2>&1; then browser="$(command -v "$name")"; break; fi
done
if [ -z "$browser" ]; then
  echo "SKIP: Chromium is not installed (Debian package chromium), so no browser can open the page"
  exit 77
fi
if ! command -v python3 >/dev/null 2>&1; then
  echo "SKIP: python3 is not installed, so the browser's DOM cannot be read"
  exit 77
fi

inputs="$source_dir/examples"
[ -f "$inputs/absrp_sys_list.dat" ] || inputs="$here/sample"
echo "demo inputs: $inputs"
"$source_dir/examples/demo.sh" "$build" "$inputs"
demo="$build/demo"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Each page in a fresh profile; the flags keep Chromium off the network and
# quiet.  Its chatter on standard error is kept apart for a failure report.
dump_dom() {
  rm -rf "$work/profile"
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --disable-quic --user-data-dir="$work/profile" --dump-dom "file://$1" \
    >"$2" 2>"$work/browser.err" || {
      echo "FAIL: Chromium could not open $1"
      tail -20 "$work/browser.err"
      exit 1
    }
  if [ ! -s "$2" ]; then
    echo "FAIL: Chromium gave no DOM for $1"
    tail -20 "$work/browser.err"
    exit 1
  fi
}

dump_dom "$demo/results.html" "$work/results.dom"
python3 "$here/check_dom.py" results "$demo/results.html" "$work/results.dom" | tee "$work/report"
grep '^linked: ' "$work/report" | sed 's/^linked: //' | while read -r page; do
  dump_dom "$page" "$work/page.dom"
  python3 "$here/check_dom.py" menu "$page" "$work/page.dom"
done
echo "browser check passed"
