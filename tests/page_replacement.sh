#!/usr/bin/env bash
# results.html is the earlier page or the whole new one, however a run ends.
#   page_replacement.sh BUILD kill [MB] [N]  catalix sent SIGKILL, SIGTERM, SIGHUP and SIGINT
#       in turn at N (200) random moments on a generated catalogue of MB megabytes (20),
#       then catalix-check --write-baseline at N/5: after each, the file is byte for byte the
#       earlier one or the new one, the status the signal's (128 + its number), and no
#       run but a SIGKILLed one leaves its folder, which the next whole run removes
#   page_replacement.sh BUILD live [MB]   a run stopped (SIGSTOP) while it writes keeps
#       its folder through a second run beside it, then puts its page in place; the
#       same for catalix-check --write-baseline
#   page_replacement.sh BUILD concurrent [MB]  two, then eight runs at once on one page,
#       each with its own query, on MB/2 megabytes: all exit 0 and the page is exactly one
#       of their pages
#   page_replacement.sh BUILD full_disk   a small tmpfs with no room for the page, then
#       none for its folder: the earlier page stays (needs mount; skipped without)
#   page_replacement.sh BUILD windows [NATIVE_BUILD]  the .exe files under wine: a page
#       that a reader holds open stays whole for it, and is replaced once it is closed;
#       with a native build's catalogue generator, Ctrl-C (wine's SIGINT) at random
#       moments, SIGKILL and a stopped run as above
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
# leftovers DIR [NAME]: the folders .NAME.* in DIR (NAME: results.html).
leftovers() { local name="${2:-results.html}"; ls -A "$1" | grep "^\.${name//./\\.}\."; }
# inputs DIR MB ION: a generated catalogue and a query for every line of ION.
inputs() {
  mkdir -p "$1" && cp "$source_dir/bench/style.var" "$1/" &&
    sed "s/=All/=$3/" "$source_dir/bench/all.frm" > "$1/absrp_query.frm" &&
    "${generator:-$build/bench/generate_catalogue}" "$(($2 * 1000000))" "$1/absrp_sys_list.dat" >/dev/null
}
# page DIR [PROGRAM...]: a run alone, which must succeed; its page to DIR/page.
page() {
  local dir="$1" && shift
  [ $# -gt 0 ] || set -- "$build/catalix"
  (cd "$dir" && "$@" >out 2>&1 </dev/null) && [ ! -s "$dir/out" ] &&
    mv "$dir/results.html" "$dir/page" || fail "a run alone in $dir: $(head -c 200 "$dir/out")"
}
now_ns() { date +%s%N; }

# kills NAME RUNS COMMAND...: COMMAND, run in $dir and replacing NAME there, is sent
# each of $signals in turn at RUNS random moments, each time with $tmp/earlier as
# NAME; $tmp/new is NAME after a whole run.
signals=(KILL TERM HUP INT) ctrl_c=none wine_start=""
kills() {
  local name="$1" runs="$2" start span delay signal pid status outcome before new i
  local -A seen=()
  shift 2
  start=$(now_ns) && (cd "$dir" && "$@" >/dev/null 2>&1) && cmp -s "$dir/$name" "$tmp/new" ||
    fail "$name: a whole run did not write the new file"
  span=$(( ($(now_ns) - start) * 3 / 2 ))  # some kills come after the run's end
  for ((i = 0; i < runs; i++)); do
    cp "$tmp/earlier" "$dir/$name"
    signal=${signals[i % ${#signals[@]}]}
    delay=$(( (RANDOM << 30 | RANDOM << 15 | RANDOM) % span ))  # 45 bits: spans past a second
    before="$(leftovers "$dir" "$name")"
    (cd "$dir" && exec env --default-signal=INT "$@" >/dev/null 2>&1) &
    pid=$!
    # Under wine, from the moment the program is under way: wine's own start
    # ends quietly (status 0) on SIGINT.
    while [ -n "$wine_start" ] && [ -z "$(comm -13 <(echo "$before") <(leftovers "$dir" "$name"))" ] &&
      kill -0 "$pid" 2>/dev/null; do sleep 0.01; done
    sleep "$((delay / 1000000000)).$(printf %09d $((delay % 1000000000)))"
    kill -s "$signal" "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null && status=0 || status=$?
    if cmp -s "$dir/$name" "$tmp/earlier"; then outcome=earlier
    elif cmp -s "$dir/$name" "$tmp/new"; then outcome=new
    else outcome=neither; fail "$name, SIG$signal after $delay ns: neither file"
    fi
    seen[$outcome]=$(( ${seen[$outcome]:-0} + 1 ))
    # Status 0 only for a whole run; the signal's also after the rename.
    [ "$status:$outcome" = 0:new ] || [ "$status" = $((128 + $(kill -l "$signal"))) ] ||
      [ "$signal:$status" = "INT:$ctrl_c" ] ||
      fail "$name, SIG$signal after $delay ns: status $status, the $outcome file"
    new="$(comm -13 <(echo "$before") <(leftovers "$dir" "$name"))"
    [ -z "$new" ] || { [ "$signal" = KILL ] && [ "$(wc -l <<<"$new")" = 1 ]; } ||
      fail "$name, SIG$signal after $delay ns: left $new"
  done
  (cd "$dir" && "$@" >/dev/null 2>&1) && [ -z "$(leftovers "$dir" "$name")" ] ||
    fail "$name: the next whole run left $(leftovers "$dir" "$name")"
  echo "$name: $runs kills over $((span / 1000000)) ms: ${seen[earlier]:-0} earlier, ${seen[new]:-0} new"
  [ -n "${seen[earlier]:-}" ] && [ -n "${seen[new]:-}" ] || fail "$name: the kills missed the run"
}

kill_test() {
  local dir="$tmp/kill"
  inputs "$dir" 1 CIV && page "$dir" && mv "$dir/page" "$tmp/earlier"
  inputs "$dir" "${1:-20}" All && page "$dir" && mv "$dir/page" "$tmp/new"
  kills results.html "${2:-200}" "$build/catalix"
  echo "an earlier baseline" > "$tmp/earlier"
  (cd "$dir" && "$build/catalix-check" --write-baseline=known.txt >/dev/null) && mv "$dir/known.txt" "$tmp/new"
  kills known.txt $(( ${2:-200} / 5 )) "$build/catalix-check" --write-baseline=known.txt
}

# stopped NAME COMMAND...: COMMAND started in $dir and stopped once its folder beside
# NAME holds its file (the folder is locked before the file is made); sets pid, folder.
stopped() {
  local name="$1" try
  shift
  for ((try = 0; try < 10; try++)); do
    (cd "$dir" && exec "$@" >/dev/null 2>&1) &
    pid=$! folder=""
    while kill -0 "$pid" 2>/dev/null; do
      folder="$(leftovers "$dir" "$name" | head -1)"
      [ -n "$folder" ] && [ -e "$dir/$folder/$name" -o -e "$dir/$folder/page.html" ] &&
        kill -STOP "$pid" && return
      sleep 0.002
    done
    wait "$pid"  # it ended first: once more
  done
  fail "$name: no run was caught writing" && return 1
}

# live NAME COMMAND...: a second run of COMMAND beside a stopped one leaves its folder
# be; resumed, the first ends whole and leaves nothing.
live() {
  local name="$1" folder pid status
  shift
  stopped "$name" "$@" || return
  (cd "$dir" && "$@" >/dev/null 2>&1) || fail "$name: the second run failed"
  [ -d "$dir/$folder" ] || fail "$name: the second run removed the living run's folder"
  kill -CONT "$pid" && { wait "$pid" && status=0 || status=$?; }
  [ "$status" = 0 ] && cmp -s "$dir/$name" "$tmp/new" && [ -z "$(leftovers "$dir" "$name")" ] ||
    fail "$name: the resumed run: status $status, left $(leftovers "$dir" "$name")"
}

live_test() {
  local dir="$tmp/live"
  inputs "$dir" "${1:-20}" All && page "$dir" && mv "$dir/page" "$tmp/new"
  live results.html "$build/catalix"
  (cd "$dir" && "$build/catalix-check" --write-baseline=known.txt >/dev/null) && mv "$dir/known.txt" "$tmp/new"
  live known.txt "$build/catalix-check" --write-baseline=known.txt
  [ "$failed" != 0 ] || echo "a stopped run's folder outlives a run beside it, and its page then takes its place"
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
  "$wineserver" -p 2>/dev/null  # one server for all (a program started while it quits fails)
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
  windows_kills "$1"
}

# Wine turns SIGINT into Ctrl-C for the console handler (exit code
# STATUS_CONTROL_C_EXIT, 0xC000013A, which a shell sees as 58; 130 where it
# comes before wine set up its own); SIGTERM and SIGHUP end the process
# outright, as SIGKILL does, and it cannot send Ctrl-Break or a closing to a
# program without a console of its own.
windows_kills() {
  local dir="$tmp/winkill"
  [ -x "${1:-}/bench/generate_catalogue" ] ||
    { echo "no native build given for its catalogue generator: no kills under wine"; return; }
  generator="$1/bench/generate_catalogue" signals=(INT KILL INT) ctrl_c=58 wine_start=1
  inputs "$dir" 1 CIV && page "$dir" "$wine" "$build/catalix.exe" && mv "$dir/page" "$tmp/earlier"
  inputs "$dir" 20 All && page "$dir" "$wine" "$build/catalix.exe" && mv "$dir/page" "$tmp/new"
  kills results.html 9 "$wine" "$build/catalix.exe"
  live results.html "$wine" "$build/catalix.exe"
}

case "$mode" in
  kill) kill_test "${3:-}" "${4:-}" ;;
  live) live_test "${3:-}" ;;
  concurrent) concurrent_test "${3:-}" ;;
  full_disk) full_disk_test ;;
  windows) windows_test "$(cd "${3:-/nonexistent}" 2>/dev/null && pwd)" ;;
  *) echo "unknown mode '$mode'"; exit 2 ;;
esac
[ "$failed" = 0 ] && echo "page replacement, $mode: ok"
[ "$failed" = 0 ]
