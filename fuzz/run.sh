#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time, seeded
# from fuzz/corpus/<target>/ and the bundled example (only read: new inputs go
# to BUILD_DIR/corpus).  Exits non-zero on a finding (crash, sanitizer report,
# leak, an input running over a second or over 2 GB), left in BUILD_DIR/artifacts/.
#   fuzz/run.sh [SECONDS_PER_TARGET] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-25}" build="${2:-build-fuzz}"
CXX="${FUZZ_CXX:-clang++}" cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCATALIX_FUZZ=ON -DCATALIX_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
status=0
for target in catalogue:absrp_sys_list.dat query_form:absrp_query.frm style:style.var check:absrp_sys_list.dat; do
  name="${target%%:*}" seeds="$build/seeds/${target%%:*}"
  inputs="${name/check/catalogue}"  # the checker reads catalogues too
  rm -rf "$build/corpus/$name" "$seeds" && mkdir -p "$build/corpus/$name" "$seeds" "$build/artifacts"
  cp fuzz/corpus/"$inputs"/* "$seeds"/ && cp "examples/${target#*:}" "$seeds/example"
  if "$build/fuzz/${name}_fuzzer" "$build/corpus/$name" "$seeds" -max_total_time="$seconds" \
      -timeout=1 -rss_limit_mb=2048 -max_len=65536 -dict="fuzz/$inputs.dict" -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name-" >"$build/$name.log" 2>&1; then
    echo "$name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$name.log") executions, no finding"
  else
    status=1 && tail -n 40 "$build/$name.log" && echo "$name: FINDING, see $build/$name.log"
  fi
done
exit "$status"
