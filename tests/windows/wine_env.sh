# Sourced by the Windows test scripts: finds wine and gives it a fresh,
# private prefix in a temporary directory, removed (and its wineserver
# stopped) when the calling script exits.  Defines run_exe (below), which
# runs a console program headless with standard input empty.
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

# run_exe OUT ERR EXE [ARGS...]: standard output to OUT, standard error to
# ERR.  Now and then, on a busy machine, wine fails to start a program and
# reports only status 1, with no output at all; the programs under test
# never end that way (every failure of theirs prints a message), so such a
# run is tried again, up to twice, and counted in wine_retries.
wine_retries=0
run_exe() {
  local out="$1" err="$2" status attempt
  shift 2
  for attempt in 1 2 3; do
    "$WINE_BIN" "$@" </dev/null >"$out" 2>"$err"
    status=$?
    if [ "$status" = 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$attempt" = 3 ]; then
      return "$status"
    fi
    wine_retries=$((wine_retries + 1))
    echo "note: wine gave status $status and no output for $(basename "$1"); trying again" >&2
  done
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
