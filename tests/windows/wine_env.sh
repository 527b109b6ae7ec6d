# Sourced by the Windows test scripts: finds wine and gives it a fresh,
# private prefix in a temporary directory, removed (and its wineserver
# stopped) when the calling script exits.  Defines run_exe EXE [ARGS...],
# which runs a console program headless with standard input empty.
WINE_BIN="${WINE_BIN:-/usr/lib/wine/wine64}"
WINESERVER_BIN="${WINESERVER_BIN:-/usr/lib/wine/wineserver}"
if [ ! -x "$WINE_BIN" ]; then
  WINE_BIN="$(command -v wine64 || command -v wine || true)"
fi
if [ -z "$WINE_BIN" ] || [ ! -x "$WINE_BIN" ]; then
  echo "wine is not installed (Debian package wine64)" >&2
  exit 1
fi
[ -x "$WINESERVER_BIN" ] || WINESERVER_BIN="$(command -v wineserver || true)"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts on first start
wine_tmp="$(mktemp -d)"
export WINEPREFIX="$wine_tmp/prefix"

wine_cleanup() {
  if [ -n "$WINESERVER_BIN" ]; then "$WINESERVER_BIN" -k >/dev/null 2>&1 || true; fi
  rm -rf "$wine_tmp"
}
trap wine_cleanup EXIT

run_exe() {
  "$WINE_BIN" "$@" </dev/null
}

# Left to itself the wine server quits a moment after its last program ends,
# and a program that starts in that moment fails, with status 1 and no
# output: keep one server running until the script ends.  It must be the
# first server of the prefix (a second one cannot take over).
start=$(date +%s)
mkdir -p "$WINEPREFIX"
if [ -n "$WINESERVER_BIN" ]; then "$WINESERVER_BIN" -p >/dev/null 2>&1 || true; fi
# The first start builds the prefix, which takes a while; do it once, here,
# so that no case pays for it (and its chatter stays out of the cases).
"$WINE_BIN" cmd /c exit </dev/null >/dev/null 2>&1 || true
echo "wine prefix ready in $(( $(date +%s) - start )) s"
