#!/usr/bin/env bash
# The number reader of a build against glibc's fscanf: the inputs and
# fscanf's outcomes from the native build's tool, our reader's from the
# build under test (its .exe under wine for a Windows build).
# Usage: number_outcomes.sh NATIVE_BUILD [BUILD]
set -euo pipefail
native="$(cd "$1" && pwd)" build="$(cd "${2:-$1}" && pwd)"
tmp="$(mktemp -d)" && trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/inputs"
"$native/tests/number_outcomes" inputs "$tmp/inputs"
"$native/tests/number_outcomes" fscanf "$tmp/inputs" > "$tmp/fscanf"
if [ -f "$build/tests/number_outcomes.exe" ]; then
  export WINEDEBUG=-all WINEPREFIX="$tmp/prefix"
  "$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)" \
    "$build/tests/number_outcomes.exe" ours "$tmp/inputs" | tr -d '\r' > "$tmp/ours"
else
  "$build/tests/number_outcomes" ours "$tmp/inputs" > "$tmp/ours"
fi
if ! cmp -s "$tmp/fscanf" "$tmp/ours"; then
  echo "FAIL: the reader differs from fscanf ($(wc -l < "$tmp/fscanf") outcomes):"
  diff "$tmp/fscanf" "$tmp/ours" | head -n 10
  exit 1
fi
echo "numbers: $(wc -l < "$tmp/ours") outcomes as fscanf's"
