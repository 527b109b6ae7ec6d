#!/usr/bin/env bash
# Times whole runs of catalix, and of catalix-dump, on generated catalogues
# against a floor timed in the same run: a bare getc_unlocked pass over the
# catalogue plus fwrite of as many bytes as the page holds, in 64 KiB
# blocks, to a file in the same folder.  Each run is timed between runs of
# its floor's two programs.
# catalix-check is timed against catalix's selective query, run next to it.
# With "wine" as the third argument, the Windows build's catalix.exe is timed
# under wine against the Linux build's catalix, run next to it.  Where the
# build has the Python package, its tables are timed and weighed too.
# Usage: bench/run.sh [SIZES_MB] [RUNS] [wine]   e.g. bench/run.sh "10 100 1000" 3
set -euo pipefail
sizes="${1:-100}"
runs="${2:-3}"
mode="${3:-}"
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$src/build-bench"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCATALIX_TESTS=OFF -DCATALIX_BENCH=ON >/dev/null
cmake --build "$build" -j2 >/dev/null
work="${BENCH_DIR:-$build/bench-data}"
mkdir -p "$work"
cp "$src/bench/style.var" "$work/"

printf '%-6s %-13s %8s %8s %8s %8s %9s %9s %8s\n' \
  size run seconds floor_s ratio getc_x MB/s page_MB peak_MiB
# seconds PROGRAM...: the wall time of a whole run, as a process; the peak
# memory goes to $work/rss.
seconds() {
  local s rss status
  read -r s rss status < <("$build/bench/measure" "$work" "$@")
  [ "$status" = 0 ] || { echo "$1 failed with status $status" >&2; exit 1; }
  echo "$rss" > "$work/rss"
  echo "$s"
}
wine=""
if [ "$mode" = wine ]; then
  mingw="$src/build-bench-mingw"
  cmake -S "$src" -B "$mingw" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCATALIX_TESTS=OFF >/dev/null
  cmake --build "$mingw" -j2 --target catalix >/dev/null
  wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
  export WINEDEBUG=-all WINEPREFIX="$work/wine-prefix"
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
# The runs of each size: the program's command, then how its floor is timed.
runs_of() {
  if [ -n "$wine" ]; then echo "selective all"; else echo "selective all dump check"; fi
}
# The Python package, where the build has it: the all-lines answer into a
# Table, timed in a fresh interpreter after its imports, against
# catalix-table csv > /dev/null run right before it; the whole catalogue's
# four tables against catalix-dump, and the peak memory of the call against
# the memory of the tables' arrays.
python=""
if [ -z "$wine" ] && [ -d "$build/python/catalix" ]; then
  python="$(sed -n 's/^_Python3_EXECUTABLE:INTERNAL=//p' "$build/CMakeCache.txt")"
fi
python_runs() {
  cp "$src/bench/all.frm" "$work/absrp_query.frm"
  for call in query read; do
    : > "$work/times"
    for _ in $(seq "$runs"); do
      g="$(seconds "$build/bench/bare_pass" "$catalogue")"
      if [ "$call" = query ]; then f="$(seconds "$build/catalix-table" csv)"; else f="$(seconds "$build/catalix-dump")"; fi
      echo "$g $f $(cd "$work" && PYTHONPATH="$build/python" "$python" "$src/bench/python_tables.py" "$call")" \
        >> "$work/times"
    done
    awk -v s="$size_mb" -v q="py-$call" -v b="$bytes" '
      function median(a, n,   i, j, x) {
        for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
        return a[int((n + 1) / 2)]
      }
      { t[NR] = $3; f[NR] = $2; r[NR] = $3 / $2; x[NR] = $3 / $1; m[NR] = $4 / $5; if ($4 > p) p = $4; a = $5 }
      END {
        ts = median(t, NR)
        printf "%-6s %-13s %8.3f %8.3f %8.2f %8.1f %9.1f %9s %8.1f\n", s "MB", q, ts, median(f, NR),
               median(r, NR), median(x, NR), b / ts / 1e6, "-", p / 1048576
        printf "%-6s %-13s tables %.1f MiB of arrays, peak growth %.2f times that\n", "", q, a / 1048576, median(m, NR)
      }' "$work/times"
  done
}
for size_mb in $sizes; do
  catalogue="$work/absrp_sys_list.dat"
  "$build/bench/generate_catalogue" "$((size_mb * 1000000))" "$catalogue" > "$work/records"
  bytes="$(wc -c < "$catalogue")"
  for query in $(runs_of); do
    floor=getc
    case "$query" in
      dump) program=("$build/catalix-dump") ;;
      # The checker against the program's selective query, timed alike.
      check) program=("$build/catalix-check" --fail-on=never) floor=selective
             cp "$src/bench/selective.frm" "$work/absrp_query.frm" ;;
      *) cp "$src/bench/$query.frm" "$work/absrp_query.frm"
         if [ -n "$wine" ]; then
           program=("$wine" "$mingw/catalix.exe") floor=linux
         else
           program=("$build/catalix")
         fi ;;
    esac
    # A first run for the page's size, and so that every timed run finds
    # the catalogue in the page cache.
    seconds "${program[@]}" > /dev/null
    page=0
    [ "$floor" != getc ] || [ "$query" = dump ] || page="$(wc -c < "$work/results.html")"
    # Each run is timed next to its own floor, all as whole processes, so
    # that a ratio compares runs made moments apart on this shared machine.
    : > "$work/times"
    peak=0
    for _ in $(seq "$runs"); do
      g="$(seconds "$build/bench/bare_pass" "$catalogue")"
      w=0
      case "$floor" in
        getc) [ "$query" = dump ] || w="$(seconds "$build/bench/write_floor" "$work/floor.out" "$page")" ;;
        selective|linux) w="$(seconds "$build/catalix")"; w="$(awk -v a="$w" -v b="$g" 'BEGIN { print a - b }')" ;;
      esac
      t="$(seconds "${program[@]}")"
      rss="$(cat "$work/rss")"
      [ "$rss" -gt "$peak" ] && peak="$rss"
      echo "$t $g $w" >> "$work/times"
    done
    [ -z "$wine" ] || query="exe-$query"
    awk -v s="$size_mb" -v q="$query" -v b="$bytes" -v p="$page" -v m="$peak" '
      function median(a, n,   i, j, x) {
        for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
        return a[int((n + 1) / 2)]
      }
      { t[NR] = $1; f[NR] = $2 + $3; r[NR] = $1 / ($2 + $3); x[NR] = $1 / $2 }
      END {
        ts = median(t, NR)
        printf "%-6s %-13s %8.3f %8.3f %8.2f %8.1f %9.1f %9.1f %8.1f\n", s "MB", q, ts,
               median(f, NR), median(r, NR), median(x, NR), b / ts / 1e6, p / 1e6, m / 1048576
      }' "$work/times"
  done
  rm -f "$work/floor.out"
  [ -n "$python" ] && python_runs
done
echo "floor: getc pass + writing the page's bytes (for the dump: the getc pass alone; for"
echo "check: catalix's selective query; for exe-: the Linux build's catalix), timed"
echo "as whole processes next to each run; ratio = median of seconds / floor over the runs,"
echo "getc_x = median of seconds / getc pass; seconds, floor_s: medians"
[ -z "$python" ] || echo "py-query, py-read: the call in Python after its imports; floor: catalix-table csv,
catalix-dump; peak_MiB: the growth of the peak resident memory over the call"
