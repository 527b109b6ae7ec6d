#!/usr/bin/env bash
# Opens the demo's results.html and the pages its menu links to in headless
# Chromium and checks the document the browser built: a table per counted
# spectrum, the line rows all there, and every menu link leading to a page.
# Usage: browser.sh BUILD_DIR   (exit 77, a skip, without Chromium)
set -euo pipefail
browser="$(command -v chromium || command -v chromium-browser || true)"
[ -n "$browser" ] || { echo "SKIP: no Chromium (Debian package chromium)"; exit 77; }
"$(dirname "$0")/../examples/demo.sh" "$1" >/dev/null
demo="$(cd "$1/demo" && pwd)" work="$(mktemp -d)" && trap 'rm -rf "$work"' EXIT
dom() {  # the document Chromium built from a file, one tag a line
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --no-first-run --disable-sync \
    --disable-background-networking --disable-component-update --user-data-dir="$work/profile" \
    --dump-dom "file://$1" 2>"$work/err" | sed 's/</\n</g' || { tail "$work/err"; exit 1; }
}
fail() { echo "FAIL: $*"; exit 1; }
dom "$demo/results.html" > "$work/results"
counted="$(grep -o 'There are <font color="#800080">[0-9]*' "$demo/results.html" | grep -o '[0-9]*$')"
[ "$(grep -c '^<table border' "$work/results")" = "$counted" ] || fail "not $counted spectrum tables"
shown="$(grep -c '^<tr bgcolor' "$work/results")" written="$(grep -c '^<tr  bgcolor' "$demo/results.html")"
[ "$shown" = "$written" ] && [ "$shown" -gt 0 ] || fail "the browser shows $shown line rows of $written"
for page in results introduction manual references; do
  [ "$page" = results ] || dom "$demo/$page.html" > "$work/$page"
  links="$(sed -n '0,/^<\/ul>/{/^<ul>/,/^<\/ul>/s/^<a href="\([^"]*\)".*/\1/p}' "$work/$page")"
  [ "$(wc -w <<<"$links")" = 3 ] || fail "$page.html: menu links $links"
  for link in $links; do [ -f "$demo/$link" ] || fail "$page.html links to a missing $link"; done
done
echo "browser check passed: $counted spectrum tables, $shown line rows"
