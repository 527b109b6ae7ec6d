#!/usr/bin/env bash
# The web front under load: catalix-cgi behind lighttpd with the configuration
# that examples/serve.sh ships, on a generated catalogue of 30 MB, CLIENTS
# clients at once for SECONDS with the mix of tests/web/load.py (pages by GET
# and POST, VOTable, CSV, the names, HEAD, conditional GETs, answers cut off
# by the client).  Prints requests per second and the 50th and 99th
# percentile of the time to each answer's last byte, per kind of request,
# and checks every answer as the soak test does.  A Release build in
# build-bench/, as bench/run.sh makes.
# Usage: bench/web_load.sh [SECONDS] [CLIENTS]   e.g. bench/web_load.sh 120 16
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$src/build-bench"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCATALIX_TESTS=OFF -DCATALIX_BENCH=ON >/dev/null
cmake --build "$build" -j2 >/dev/null
CATALIX_SOAK_SECONDS="${1:-60}" CATALIX_SOAK_CLIENTS="${2:-16}" exec bash "$src/tests/web/check_web.sh" "$build" soak
