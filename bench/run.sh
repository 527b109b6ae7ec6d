#!/usr/bin/env bash
# Times whole runs of catalix, and of catalix-dump, on generated catalogues
# against a floor timed in the same run: a bare getc_unlocked pass over the
# catalogue plus fwrite of as many bytes as the page holds, in 64 KiB
# blocks, to a file in the same folder.
# Usage: bench/run.sh [SIZES_MB] [RUNS]     e.g. bench/run.sh "10 100 1000" 3
set -euo pipefail
sizes="${1:-100}"
runs="${2:-3}"
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$src/build-bench"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCATALIX_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
work="${BENCH_DIR:-$build/bench-data}"
mkdir -p "$work"
cp "$src/bench/style.var" "$work/"
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-6s %-10s %8s %8s %8s %8s %9s %9s %8s\n' \
  size run seconds floor_s ratio getc_x MB/s page_MB peak_MiB
for size_mb in $sizes; do
  catalogue="$work/absrp_sys_list.dat"
  "$build/bench/generate_catalogue" "$((size_mb * 1000000))" "$catalogue" > "$work/records"
  bytes="$(wc -c < "$catalogue")"
  bare="$(for _ in $(seq "$runs"); do "$build/bench/bare_pass" "$catalogue" | cut -d' ' -f1; done | median)"
  for query in selective all dump; do
    if [ "$query" = dump ]; then
      program=("$build/catalix-dump")
    else
      program=("$build/catalix")
      cp "$src/bench/$query.frm" "$work/absrp_query.frm"
    fi
    : > "$work/times"
    peak=0
    for _ in $(seq "$runs"); do
      read -r seconds rss status < <("$build/bench/measure" "$work" "${program[@]}")
      [ "$status" = 0 ] || { echo "${program[0]} failed with status $status" >&2; exit 1; }
      echo "$seconds" >> "$work/times"
      [ "$rss" -gt "$peak" ] && peak="$rss"
    done
    t="$(median < "$work/times")"
    if [ "$query" = dump ]; then
      page=0 floor="$bare"
    else
      page="$(wc -c < "$work/results.html")"
      write="$(for _ in $(seq "$runs"); do "$build/bench/write_floor" "$work/floor.out" "$page"; done | median)"
      floor="$(awk -v a="$bare" -v b="$write" 'BEGIN { print a + b }')"
    fi
    awk -v s="$size_mb" -v q="$query" -v t="$t" -v f="$floor" -v g="$bare" -v b="$bytes" \
        -v p="$page" -v m="$peak" \
      'BEGIN { printf "%-6s %-10s %8.3f %8.3f %8.2f %8.1f %9.1f %9.1f %8.1f\n",
               s "MB", q, t, f, t / f, t / g, b / t / 1e6, p / 1e6, m / 1048576 }'
  done
  rm -f "$work/floor.out"
done
echo "floor: getc pass + writing the page's bytes (for the dump: the getc pass alone);"
echo "ratio = seconds / floor; getc_x = seconds / getc pass alone"
