#!/usr/bin/env bash
# results.html is the earlier page or the whole new one, however a run ends.
#   page_replacement.sh BUILD kill [MB]   catalix killed at 200 random moments (SIGKILL,
#       every tenth SIGTERM) on a generated catalogue of MB megabytes (20): after each,
#       the page is byte for byte the earlier one or the new one
#   page_replacement.sh BUILD concurrent [MB]  two, then eight runs at once on one page,
#       each with its own query, on MB/2 megabytes: all exit 0 and the page is exactly one
#       of their pages
#   page_replacement.sh BUILD full_disk   a small tmpfs with no room for the page, then
#       none for its folder: the earlier page stays (needs mount; skipped without)
#   page_replacement.sh BUILD windows     the .exe files under wine: a page that a reader
#       holds open stays whole for it, and is replaced once it is closed
# No run but a killed one may leave its folder (.results.html.*) behind.
set -uo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:?usage: page_replacement.sh BUILD kill|concurrent|full_disk|windows}" && pwd)" || exit 1
mode="${2:-}"
tmp="$(mktemp -d)"
wineserver=""
trap '[ -z "$wineserver" ] || { "$wineserver" -k; "$wineserver" -w; } 2>/dev/null
  mountpoint -q "$tmp/disk" 2>/dev/null && umount "$tmp/disk"; rm -rf "$tmp"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
leftovers() { ls -A "$1" | grep '^\.results\.html\.'; }
# inputs DIR MB ION: a generated catalogue and a query for every line of ION.
inputs() {
  mkdir -p "$1" && cp "$source_dir/bench/style.var" "$1/" &&
    sed "s/=All/=$3/" "$source_dir/bench/all.frm" > "$1/absrp_query.frm" &&
    "$build/bench/generate_catalogue" "$(($2 * 1000000))" "$1/absrp_sys_list.dat" >/dev/null
}
# page DIR [PROGRAM...]: a run alone, which must succeed; its page to DIR/page.
page() {
  local dir="$1" && shift
  [ $# -gt 0 ] || set -- "$build/catalix"
  (cd "$dir" && "$@" >out 2>&1 </dev/null) && [ ! -s "$dir/out" ] &&
    mv "$dir/results.html" "$dir/page" || fail "a run alone in $dir: $(head -c 200 "$dir/out")"
}
now_ns() { date +%s%N; }

kill_test() {
  local dir="$tmp/kill" earlier new start span delay signal pid outcome
  local -A seen=()
  inputs "$dir" 1 CIV && page "$dir" && mv "$dir/page" "$tmp/earlier"
  inputs "$dir" "${1:-20}" All && start=$(now_ns) && page "$dir" && mv "$dir/page" "$tmp/new"
  span=$(( ($(now_ns) - start) * 3 / 2 ))  # some kills come after the run's end
  for ((i = 1; i <= 200; i++)); do
    cp "$tmp/earlier" "$dir/results.html"
    signal=KILL && ((i % 10 == 0)) && signal=TERM
    delay=$(( (RANDOM << 15 | RANDOM) % span ))
    (cd "$dir" && exec "$build/catalix" >/dev/null 2>&1) &
    pid=$!
    sleep "$((delay / 1000000000)).$(printf %09d $((delay % 1000000000)))"
    kill -s "$signal" "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    if cmp -s "$dir/results.html" "$tmp/earlier"; then outcome=earlier
    elif cmp -s "$dir/results.html" "$tmp/new"; then outcome=new
    else outcome=neither; fail "SIG$signal after $delay ns: the page is neither"
    fi
    seen[$outcome]=$(( ${seen[$outcome]:-0} + 1 ))
    [ "$(leftovers "$dir" | wc -l)" -le 1 ] || fail "SIG$signal after $delay ns: more than one leftover"
    rm -rf "$dir"/.results.html.*
  done
  echo "after 200 kills over $((span / 1000000)) ms: ${seen[earlier]:-0} earlier pages, ${seen[new]:-0} new ones"
  [ -n "${seen[earlier]:-}" ] && [ -n "${seen[new]:-}" ] || fail "the kills missed the run"
}

concurrent_test() {
  local ions=(All CIV MgII FeII HI SiIV AlII CII) shared="$tmp/shared" mb=$(( ${1:-20} / 2 )) n i pids status
  for n in 2 8; do
    rm -rf "$tmp"/run* "$shared" && inputs "$shared" "$mb" All && page "$shared"
    # The first run in the page's own folder; the others with their own query in
    # folders of their own whose results.html is a link to the same page.
    for ((i = 1; i < n; i++)); do
      mkdir "$tmp/run$i" && sed "s/=All/=${ions[i]}/" "$shared/absrp_query.frm" > "$tmp/run$i/absrp_query.frm"
      ln -s "$shared/absrp_sys_list.dat" "$shared/style.var" "$tmp/run$i/" && page "$tmp/run$i"
      ln -s "$shared/results.html" "$tmp/run$i/results.html"
    done
    echo "an earlier page" > "$shared/results.html"
    pids=() && for ((i = 0; i < n; i++)); do
      (cd "$tmp/run$i" 2>/dev/null || cd "$shared" && exec "$build/catalix" >"$tmp/out$i" 2>&1) &
      pids+=($!)
    done
    for ((i = 0; i < n; i++)); do
      wait "${pids[i]}" && status=0 || status=$?
      [ "$status" = 0 ] && [ ! -s "$tmp/out$i" ] || fail "$n at once: run $i exit $status, $(head -c 200 "$tmp/out$i")"
    done
    for ((i = 0; i < n; i++)); do cmp -s "$shared/results.html" "$tmp/run$i/page" && break; done
    [ "$i" -lt "$n" ] || cmp -s "$shared/results.html" "$shared/page" || fail "$n at once: the page is none of theirs"
    [ -z "$(leftovers "$shared")" ] || fail "$n at once: left $(leftovers "$shared")"
  done
}

# full_disk_check WHAT: a run on the tmpfs refuses and leaves the earlier page.
full_disk_check() {
  (cd "$tmp/disk" && "$build/catalix" >"$tmp/out" 2>&1 </dev/null) && fail "$1: the run succeeded"
  [ "$(cat "$tmp/out")" = "error of creation of results.html" ] || fail "$1: said $(head -c 200 "$tmp/out")"
  [ "$(cat "$tmp/disk/results.html")" = "an earlier page" ] || fail "$1: the earlier page changed"
  [ -z "$(leftovers "$tmp/disk")" ] || fail "$1: left $(leftovers "$tmp/disk")"
}

full_disk_test() {
  inputs "$tmp/in" 1 All && mkdir "$tmp/disk"
  mount -t tmpfs -o size=256k,nr_inodes=64 tmpfs "$tmp/disk" 2>/dev/null ||
    { echo "SKIP: cannot mount a tmpfs here (needs root)"; exit 77; }
  ln -s "$tmp/in/absrp_sys_list.dat" "$tmp/in/absrp_query.frm" "$tmp/in/style.var" "$tmp/disk/"
  echo "an earlier page" > "$tmp/disk/results.html"
  full_disk_check "a page of megabytes on 256 KiB"
  for ((i = 0; i < 64; i++)); do { : > "$tmp/disk/fill$i"; } 2>/dev/null || break; done
  mkdir "$tmp/disk/probe" 2>/dev/null && fail "the tmpfs still has inodes"
  full_disk_check "no inode left for the new folder"
}

windows_test() {
  local wine cxx dir="$tmp/win" earlier
  wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
  wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
  cxx="$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++)"
  [ -f "$build/catalix.exe" ] && [ -x "$wine" ] && [ -n "$cxx" ] ||
    { echo "SKIP: needs a Windows build, wine and the mingw-w64 compiler"; exit 77; }
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$tmp/prefix"
  # A reader as most are: the C library's fopen, which lets others read and
  # write but not remove; it reads one line, waits for `go`, reads the rest.
  "$cxx" -std=c++17 -static -o "$tmp/reader.exe" -x c++ - <<'EOF' || { fail "reader not built"; return; }
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
int main() {
  FILE* page = std::fopen("results.html", "r");
  for (int c; page != nullptr && (c = std::fgetc(page)) != EOF;) {
    std::putchar(c);
    if (c == '\n' && std::fflush(stdout) == 0)
      for (int i = 0; i < 600 && !std::filesystem::exists("go"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}
EOF
  mkdir "$dir" && cp "$source_dir/examples/"{absrp_sys_list.dat,absrp_query.frm,style.var} "$dir/" &&
    cd "$dir" || return
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1  # the prefix, once
  earlier="$(printf 'an earlier page\r\nof two lines')"
  page "$dir" "$wine" "$build/catalix.exe"
  echo "$earlier" > results.html
  "$wine" "$build/catalix.exe" >/dev/null 2>&1 && cmp -s results.html page || fail "an earlier page not replaced"
  echo "$earlier" > results.html
  "$wine" "$tmp/reader.exe" > read 2>/dev/null &
  for ((i = 0; i < 200; i++)); do [ -s read ] && break; sleep 0.05; done
  "$wine" "$build/catalix.exe" > out 2>/dev/null
  if cmp -s results.html page; then echo "replaced while a reader held it"
  else
    [ "$(tr -d '\r' < out)" = "error of creation of results.html" ] || fail "held page: said $(head -c 200 out)"
    [ "$(cat results.html)" = "$earlier" ] || fail "held page changed"
  fi
  : > go && wait
  [ "$(tr -d '\r' < read)" = "$(tr -d '\r' <<< "$earlier")" ] || fail "the reader read $(head -c 200 read)"
  [ -z "$(leftovers .)" ] || fail "left $(leftovers .)"
  "$wine" "$build/catalix.exe" >/dev/null 2>&1 && cmp -s results.html page || fail "not replaced once closed"
}

case "$mode" in
  kill) kill_test "${3:-}" ;;
  concurrent) concurrent_test "${3:-}" ;;
  full_disk) full_disk_test ;;
  windows) windows_test ;;
  *) echo "unknown mode '$mode'"; exit 2 ;;
esac
[ "$failed" = 0 ] && echo "page replacement, $mode: ok"
[ "$failed" = 0 ]
