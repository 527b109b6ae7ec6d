#!/usr/bin/env bash
# Runs every end-to-end case of tests/e2e against the Windows build under
# wine.  The expectations are the Linux ones; a Windows program writes its
# page and its console messages in text mode, so each LF of an expectation
# becomes CR LF before the byte-for-byte comparison.  A build without .exe
# files (another compiler and standard library, say the one of FreeBSD's
# base system) runs directly, compared with the expectations as they are.
#
# Usage: tests/windows/run_e2e.sh BUILD_DIR [CASES_DIR]
#
# A case is a directory (the same layout as tests/e2e_test.cpp reads):
#   command              catalix | catalix-dump [query] | catalix-table [csv]
#   absrp_sys_list.dat, absrp_query.frm, style.var   inputs, any may be absent
#                        (a directory in a file's place counts as unreadable)
#   results.html.before  put in place as results.html before the run
#   stdout, status       expected standard output and exit status
#   results.html         expected page; without it the run must leave no page,
#                        or leave results.html.before untouched when there is one
#   no_page              the run must leave no results.html at all
#   crlf_everywhere      stdout is compared as it is, not with LF as CR LF
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: run_e2e.sh BUILD_DIR [CASES_DIR]}" && pwd)" || exit 1
cases="$(cd "${2:-$here/../e2e}" && pwd)" || exit 1
if [ ! -f "$build/catalix.exe" ] && [ ! -x "$build/catalix" ]; then
  echo "no catalix program in $build" >&2
  exit 1
fi
if [ -f "$build/catalix.exe" ]; then
  platform=windows
  suffix=.exe
  . "$here/crlf.sh"
  . "$here/wine_env.sh"
else
  platform=native
  suffix=
  to_crlf() { cat "$1"; }
  wine_retries=0
  run_exe() {
    local out="$1" err="$2"
    shift 2
    "$@" </dev/null >"$out" 2>"$err"
  }
  wine_tmp="$(mktemp -d)"
  trap 'rm -rf "$wine_tmp"' EXIT
fi

passed=0
failed=0
skipped=0
fail() {
  echo "FAIL $name: $*"
  ok=0
}
# Shows where two files part, as characters.
show_difference() {
  diff <(od -An -c "$1") <(od -An -c "$2") | head -12
}

for dir in "$cases"/*/; do
  dir="${dir%/}"
  [ -f "$dir/command" ] || continue
  name="$(basename "$dir")"
  ok=1
  run="$wine_tmp/run/$name"
  mkdir -p "$run"
  for input in absrp_sys_list.dat absrp_query.frm style.var; do
    [ -e "$dir/$input" ] && cp -R "$dir/$input" "$run/$input"
  done
  before="$dir/results.html.before"
  if [ -L "$before" ] && [ ! -e "$before" ]; then
    echo "skip $name: this machine has no $(readlink "$before")"
    skipped=$((skipped + 1))
    continue
  fi
  [ -e "$before" ] || [ -L "$before" ] && cp -R -P "$before" "$run/results.html"

  read -r -a words < "$dir/command"
  program="$build/${words[0]}$suffix"
  cd "$run"
  run_exe "$wine_tmp/stdout" "$wine_tmp/stderr" "$program" "${words[@]:1}"
  status=$?
  cd - >/dev/null

  want_status="$(tr -d ' \r\n' < "$dir/status")"
  [ "$status" = "$want_status" ] || fail "exit status $status, expected $want_status"

  # CSV ends its rows in CR LF on every platform (crlf_everywhere).
  if [ -f "$dir/crlf_everywhere" ]; then cat "$dir/stdout"; else to_crlf "$dir/stdout"; fi > "$wine_tmp/want"
  if ! cmp -s "$wine_tmp/want" "$wine_tmp/stdout"; then
    fail "standard output differs (expected, then got):"
    show_difference "$wine_tmp/want" "$wine_tmp/stdout"
  fi

  page="$run/results.html"
  if [ -f "$dir/results.html" ]; then
    to_crlf "$dir/results.html" > "$wine_tmp/want"
    if [ ! -f "$page" ]; then
      fail "no results.html written"
    elif ! cmp -s "$wine_tmp/want" "$page"; then
      fail "results.html differs (expected, then got):"
      show_difference "$wine_tmp/want" "$page"
    fi
  elif { [ -e "$before" ] || [ -L "$before" ]; } && [ ! -f "$dir/no_page" ]; then
    if [ -L "$before" ]; then
      [ -L "$page" ] || fail "the earlier page (a link) was replaced"
    elif [ -d "$before" ]; then
      [ -d "$page" ] || fail "the earlier page (a directory) was replaced"
    elif ! cmp -s "$before" "$page"; then
      fail "the earlier page was changed"
    fi
  elif [ "$platform" = windows ] && [ -L "$before" ] && [[ "$(readlink "$before")" == /dev/* ]]; then
    # A link to a Unix device (a full disk) has no Windows counterpart, and
    # wine cannot delete such a link: only the message and status count.
    echo "note $name: page left out of the check (wine cannot remove a link to a device)"
  elif [ -e "$page" ] || [ -L "$page" ]; then
    fail "results.html left behind where no page was expected"
  fi

  if [ "$ok" = 1 ]; then
    echo "ok   $name"
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done

[ "$wine_retries" = 0 ] || echo "note: $wine_retries runs were tried again after wine failed to start them"
echo "$platform: $passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
