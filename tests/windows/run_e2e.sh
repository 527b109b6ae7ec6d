#!/usr/bin/env bash
# Runs every end-to-end case of tests/e2e against the Windows build under
# wine.  The expectations are the Linux ones; a Windows program writes its
# page and its console messages in text mode, so each LF of an expectation
# becomes CR LF before the byte-for-byte comparison.
#
# Usage: tests/windows/run_e2e.sh WINDOWS_BUILD_DIR [CASES_DIR]
#
# A case is a directory holding:
#   command                 one line: the program (catalix or catalix-dump)
#                           and its arguments
#   expected_stdout         standard output, byte for byte (LF line ends)
#   expected_status         the exit status, a number (0 when absent)
#   expected_results.html   the page (LF line ends); when absent, the run
#                           must leave no results.html behind
#   any other file          an input, copied into the empty directory the
#                           program runs in
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: run_e2e.sh WINDOWS_BUILD_DIR [CASES_DIR]}" && pwd)"
cases="${2:-$here/../e2e}"
. "$here/crlf.sh"
. "$here/wine_env.sh"

passed=0
failed=0
fail() {
  echo "FAIL $name: $*"
  failed=$((failed + 1))
  ok=0
}

for dir in "$cases"/*/; do
  [ -f "$dir/command" ] || continue
  name="$(basename "$dir")"
  ok=1
  run="$wine_tmp/run/$name"
  mkdir -p "$run"
  for f in "$dir"/* "$dir"/.[!.]*; do
    [ -e "$f" ] || continue
    case "$(basename "$f")" in
      command|expected_*) ;;
      *) cp -R "$f" "$run/" ;;
    esac
  done
  read -r -a words < "$dir/command"
  program="$build/${words[0]}.exe"
  (cd "$run" && run_exe "$program" "${words[@]:1}" >"$wine_tmp/stdout" 2>"$wine_tmp/stderr")
  status=$?

  want_status=0
  [ -f "$dir/expected_status" ] && want_status="$(tr -d ' \r\n' < "$dir/expected_status")"
  [ "$status" = "$want_status" ] || fail "exit status $status, expected $want_status"

  if [ -f "$dir/expected_stdout" ]; then
    to_crlf "$dir/expected_stdout" > "$wine_tmp/want"
    cmp -s "$wine_tmp/want" "$wine_tmp/stdout" || {
      fail "standard output differs"
      diff <(od -c "$wine_tmp/want") <(od -c "$wine_tmp/stdout") | head -20
    }
  fi

  if [ -f "$dir/expected_results.html" ]; then
    if [ -f "$run/results.html" ]; then
      to_crlf "$dir/expected_results.html" > "$wine_tmp/want"
      cmp -s "$wine_tmp/want" "$run/results.html" || {
        fail "results.html differs"
        diff <(od -c "$wine_tmp/want") <(od -c "$run/results.html") | head -20
      }
    else
      fail "no results.html written"
    fi
  elif [ -e "$run/results.html" ] && [ ! -e "$dir/results.html" ]; then
    fail "results.html written where none was expected"
  fi

  if [ "$ok" = 1 ]; then
    echo "ok   $name"
    passed=$((passed + 1))
  fi
done

echo "windows e2e: $passed passed, $failed failed"
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
