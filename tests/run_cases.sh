#!/usr/bin/env bash
# Runs end-to-end cases against a build: native, or the .exe files of a
# Windows build under wine (whose text mode ends each line in CR LF, so each
# LF of an expectation becomes CR LF there).
# Usage: run_cases.sh BUILD_DIR [CASES_DIR [CASE...]]
#        run_cases.sh --bless BUILD_DIR CASES_DIR CASE...  (writes the expectations)
# A case is a folder:
#   command             catalix | catalix-dump [query] | catalix-table [csv]
#   absrp_sys_list.dat, absrp_query.frm, style.var, results.html.before
#                       copied in (results.html.before as results.html); a folder
#                       stands for a folder
#   catalogue, form, style
#                       in place of an input: the name of a shared one in
#                       tests/catalogues, tests/forms or tests/styles
#   setup               shell lines run in the run's folder first (links, pipes,
#                       huge or unreadable files)
#   stdout, status      expected standard output and exit status
#   results.html        expected page; without it no page may be left, or the
#                       earlier page must stay as it was
#   mode                the permission bits results.html must have, in octal
#   owner               the owner:group results.html must have when root runs
#                       the case (setup gives the earlier page to them)
#   leftovers           the names beginning .results.html. that the run must
#                       leave in its folder (without it: none)
#   nobody              run as nobody when root: permissions bind only then
#   native_only         why the case cannot run under wine
#   crlf_everywhere     its output ends lines in CR LF on every platform (CSV)
# Every input must be byte for byte as it was, and standard error empty.
set -uo pipefail
bless=0
[ "${1:-}" = --bless ] && { bless=1; shift; }
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: run_cases.sh BUILD_DIR [CASES_DIR [CASE...]]}" && pwd)" || exit 1
cases="$(cd "${2:-$here/e2e}" && pwd)" || exit 1
shift $(($# < 2 ? $# : 2))
wine="" wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
tmp="$(mktemp -d)" && chmod 755 "$tmp"
trap '[ -z "$wine" ] || { "$wineserver" -k; "$wineserver" -w; } 2>/dev/null; chmod -R u+rwx "$tmp"; rm -rf "$tmp"' EXIT
if [ -f "$build/catalix.exe" ]; then
  wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$tmp/prefix"
  # One server for the whole run (a program started while it quits fails),
  # and the prefix built once, before the cases.
  "$wineserver" -p 2>/dev/null
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1
fi

# run PROGRAM ARGS...: in the current folder, output to $tmp/out and $tmp/err.
run() {
  if [ -n "$wine" ]; then
    # Wine now and then fails to start a program: status 1 and no output,
    # which the programs never give; such a run is tried again.
    for _ in 1 2 3; do
      "$wine" "$build/$1.exe" "${@:2}" </dev/null >"$tmp/out" 2>"$tmp/err"
      status=$?
      [ "$status" != 1 ] || [ -s "$tmp/out" ] && return
    done
  elif [ -f "$case/nobody" ] && [ "$(id -u)" = 0 ]; then
    # The build may lie where nobody cannot reach.
    install -m 755 "$build/$1" "$tmp/bin/$1" && chown -R nobody "$PWD" &&
      timeout 20 setpriv --reuid=nobody --regid=nogroup --clear-groups \
        "$tmp/bin/$1" "${@:2}" </dev/null >"$tmp/out" 2>"$tmp/err"
    status=$?
  else
    timeout 20 "$build/$1" "${@:2}" </dev/null >"$tmp/out" 2>"$tmp/err"
    status=$?
  fi
}
expect() { if [ -n "$wine" ] && [ ! -f "$case/crlf_everywhere" ]; then perl -pe 's/\n/\r\n/g' "$1"; else cat "$1"; fi; }
differs() { cmp -s <(expect "$1") "$2" || echo "$3"; }

inputs="absrp_sys_list.dat absrp_query.frm style.var"
failed=0 passed=0 skipped=0
names=("$@")
[ ${#names[@]} -gt 0 ] || names=($(ls "$cases"))
mkdir -p "$tmp/bin"
for name in "${names[@]}"; do
  case="$cases/$name"
  if [ -n "$wine" ] && [ -f "$case/native_only" ]; then
    echo "skip $name: $(cat "$case/native_only")"; skipped=$((skipped + 1)); continue
  fi
  work="$tmp/run/$name"
  mkdir -p "$work" && chmod 755 "$tmp/run" && cd "$work" || exit 1
  bash "$here/case_inputs.sh" "$case" . || exit 1
  [ -e "$case/results.html.before" ] && cp -R "$case/results.html.before" results.html
  [ -f "$case/setup" ] && bash -e "$case/setup"
  rm -rf "$tmp/inputs" && mkdir "$tmp/inputs"
  for f in $inputs; do [ -L "$f" ] || [ ! -f "$f" ] || cp -p "$f" "$tmp/inputs/"; done
  read -r -a command < "$case/command"
  run "${command[@]}"
  if [ "$bless" = 1 ]; then
    cp "$tmp/out" "$case/stdout" && echo "$status" > "$case/status"
    if [ -f results.html ] && ! cmp -s "$case/results.html.before" results.html; then
      cp results.html "$case/results.html"
    else
      rm -f "$case/results.html"
    fi
    echo "blessed $name"
  elif problems="$(
    [ "$status" = "$(cat "$case/status")" ] || echo "exit status $status"
    differs "$case/stdout" "$tmp/out" "standard output differs: $(head -c 300 "$tmp/out")"
    [ -n "$wine" ] || [ ! -s "$tmp/err" ] || echo "standard error: $(head -c 300 "$tmp/err")"
    for f in $inputs; do
      [ ! -f "$tmp/inputs/$f" ] || cmp -s "$tmp/inputs/$f" "$f" || echo "$f changed"
    done
    if [ -f "$case/results.html" ]; then
      [ -f results.html ] || echo "no page written"
      [ ! -f results.html ] || differs "$case/results.html" results.html "results.html differs"
    elif [ -e "$case/results.html.before" ]; then
      diff -r "$case/results.html.before" results.html >/dev/null || echo "the earlier page changed"
    elif [ -e results.html ] || [ -L results.html ]; then
      echo "a page was left behind"
    fi
    [ ! -f "$case/mode" ] || [ "$(stat -c %a results.html)" = "$(cat "$case/mode")" ] ||
      echo "permission bits $(stat -c %a results.html)"
    [ ! -f "$case/owner" ] || [ "$(id -u)" != 0 ] ||
      [ "$(stat -c %U:%G results.html)" = "$(cat "$case/owner")" ] || echo "owner $(stat -c %U:%G results.html)"
    left="$(LC_ALL=C ls -A | grep '^\.results\.html\.')"
    [ "$left" = "$(cat "$case/leftovers" 2>/dev/null)" ] || echo "left in the folder: $left")" &&
    [ -z "$problems" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); echo "FAIL $name:"; echo "$problems" | sed 's/^/  /'
  fi
  cd "$tmp" && chmod -R u+rwx "$work"
done
echo "${wine:+windows }cases: $passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ] && { [ "$passed" -gt 0 ] || [ "$bless" = 1 ] || exit 77; }
