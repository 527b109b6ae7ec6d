#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time.
#   fuzz/run.sh [SECONDS_PER_TARGET] [BUILD_DIR]
# Exits non-zero on any finding (crash, sanitizer report, leak, an input that
# runs longer than a second or needs more than 2 GB); the input that caused it
# is left in BUILD_DIR/artifacts/.  The seeds are fuzz/corpus/<target>/ and
# the bundled example's file of that kind; they are only read: new inputs go
# to a scratch corpus in BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-25}"
build="${2:-build-fuzz}"

CXX="${FUZZ_CXX:-clang++}" cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCATALIX_FUZZ=ON -DCATALIX_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null

mkdir -p "$build/artifacts"
status=0
summary=""
declare -A example=([catalogue]=absrp_sys_list.dat [query_form]=absrp_query.frm
                     [style]=style.var)
for target in catalogue query_form style; do
  work="$build/corpus/$target"
  seeds="$build/seeds/$target"
  rm -rf "$work" "$seeds"
  mkdir -p "$work" "$seeds"
  cp fuzz/corpus/"$target"/* "$seeds"/
  if [ -f "examples/${example[$target]}" ]; then
    cp "examples/${example[$target]}" "$seeds/example"
  fi
  log="$build/$target.log"
  echo "== fuzzing $target for ${seconds}s"
  if "$build/fuzz/${target}_fuzzer" "$work" "$seeds" \
      -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=65536 \
      -dict="fuzz/$target.dict" -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/${target}-" \
      >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    summary+="$(printf '%-11s %10s executions, no finding' "$target" "$runs")"$'\n'
  else
    status=1
    tail -n 40 "$log"
    summary+="$(printf '%-11s FINDING, see %s' "$target" "$log")"$'\n'
  fi
done
printf '%s' "$summary"
exit "$status"
