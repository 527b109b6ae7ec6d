#!/usr/bin/env bash
# Writes the port's pkg-plist from the install tree of a build configured
# as the port configures it (-DCATALIX_DEBIAN_LAYOUT=OFF
# -DCATALIX_INSTALL_EXAMPLESDIR=share/examples/catalix), and checks that
# the port's DISTVERSION is the build's version.
#   dist/freebsd/plist.sh BUILD_DIR > dist/freebsd/pkg-plist    (after a change)
#   cmp <(dist/freebsd/plist.sh BUILD_DIR) dist/freebsd/pkg-plist  (the check)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$1"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
grep -q "^DISTVERSION=[[:space:]]*$version\$" "$here/Makefile" ||
  { echo "dist/freebsd/Makefile: DISTVERSION is not $version" >&2; exit 1; }
stage="$(mktemp -d)" && trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage" >/dev/null
(cd "$stage" && find . -type f -o -type l) | sed 's|^\./||' | LC_ALL=C sort |
  sed -e 's|^share/catalix/|%%DATADIR%%/|' -e 's|^share/examples/catalix/|%%EXAMPLESDIR%%/|'
