#!/usr/bin/env bash
# Times whole runs of catalix against a bare getc_unlocked pass over the same
# generated catalogue.  Usage: bench/run.sh [SIZE_MB] [RUNS]
set -euo pipefail
size_mb="${1:-100}"
runs="${2:-5}"
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$src/build-bench"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCATALIX_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
work="${BENCH_DIR:-$build/bench-data}"
mkdir -p "$work"
catalogue="$work/absrp_sys_list.dat"
records_file="$work/records-$size_mb"
if [ ! -f "$records_file" ]; then
  "$build/bench/generate_catalogue" "$((size_mb * 1000000))" "$catalogue" > "$records_file"
fi
records="$(cat "$records_file")"
bytes="$(wc -c < "$catalogue")"
cp "$src/bench/style.var" "$work/"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

bare="$(for _ in $(seq "$runs"); do "$build/bench/bare_pass" "$catalogue" | cut -d' ' -f1; done | median)"
printf 'catalogue: %d bytes, %d line records\n' "$bytes" "$records"
printf '%-10s %9s %9s %7s %10s %12s\n' run seconds MB/s ratio page_MB bytes/record
awk -v t="$bare" -v b="$bytes" 'BEGIN { printf "%-10s %9.3f %9.1f %7.2f %10s %12s\n", "getc pass", t, b / t / 1e6, 1, "-", "-" }'
for query in selective all; do
  cp "$src/bench/$query.frm" "$work/absrp_query.frm"
  : > "$work/times"
  peak=0
  for _ in $(seq "$runs"); do
    read -r seconds rss status < <("$build/bench/measure" "$work" "$build/catalix")
    [ "$status" = 0 ] || { echo "catalix failed with status $status" >&2; exit 1; }
    echo "$seconds" >> "$work/times"
    [ "$rss" -gt "$peak" ] && peak="$rss"
  done
  t="$(median < "$work/times")"
  page="$(wc -c < "$work/results.html")"
  awk -v q="$query" -v t="$t" -v b="$bytes" -v base="$bare" -v p="$page" -v m="$peak" -v r="$records" \
    'BEGIN { printf "%-10s %9.3f %9.1f %7.2f %10.1f %12.0f\n", q, t, b / t / 1e6, t / base, p / 1e6, m / r }'
done
