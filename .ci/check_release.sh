#!/usr/bin/env bash
# The release checks: builds a second copy of the tree in another folder,
# natively and for Windows, and compares the programs and the packages of
# the two byte for byte; then checks the .deb (lintian, hardening-check,
# unpacked into a scratch root and every program run from there, the demo
# among them) and the zip (its contents, its catalix.exe run under wine on
# the example inputs).
# Usage: .ci/check_release.sh NATIVE_BUILD MINGW_BUILD   (both configured
# as `cmake -S . -B DIR` makes them, the second with the mingw toolchain)
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
native="$(cd "$1" && pwd)" mingw="$(cd "$2" && pwd)"
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct 2>/dev/null || echo 0)}"
tmp="$(mktemp -d)"
wine="" wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
trap '[ -z "$wine" ] || { "$wineserver" -k; "$wineserver" -w; } 2>/dev/null || true; rm -rf "$tmp"' EXIT
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$native/CMakeCache.txt")"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

echo "-- packages of both builds (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
twin="$tmp/elsewhere/catalix"
mkdir -p "$twin"
(cd "$src" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C "$twin"
cmake -S "$twin" -B "$twin/build" >/dev/null
cmake -S "$twin" -B "$twin/build-mingw" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCATALIX_TESTS=OFF >/dev/null
for build in "$native" "$twin/build" "$mingw" "$twin/build-mingw"; do
  cmake --build "$build" -j2 >/dev/null
  (cd "$build" && rm -f catalix[-_]"$version"* && cpack >/dev/null &&
     cpack --config CPackSourceConfig.cmake >/dev/null)
done

echo "-- the two builds byte for byte"
compared=0
for pair in "$native:$twin/build" "$mingw:$twin/build-mingw"; do
  one="${pair%%:*}" other="${pair#*:}"
  for f in "$one"/catalix*; do
    [ -f "$f" ] || continue
    compared=$((compared + 1))
    cmp -s "$f" "$other/${f##*/}" || fail "${f##*/} differs between $one and $other"
  done
done
echo "compared $compared programs and packages"

echo "-- the Debian package"
deb="$native/catalix_${version}_amd64.deb"
[ -f "$deb" ] || { echo "FAIL: no $deb"; exit 1; }
if command -v lintian >/dev/null; then
  lintian --pedantic --fail-on error,warning "$deb" || fail "lintian finds fault with $deb"
else
  echo "SKIP: lintian: not installed (Debian package lintian)"
fi
root="$tmp/root"
dpkg -x "$deb" "$root"
binaries=()
for page in "$root"/usr/share/man/man1/*.1.gz; do
  program="$(basename "$page" .1.gz)"
  binary="$(find "$root/usr/bin" "$root/usr/lib/cgi-bin" -name "$program" -type f -perm -u+x)"
  [ -n "$binary" ] || { fail "$program has a manual page but is not in the package"; continue; }
  binaries+=("$binary")
  [ "$program" = catalix ] ||
    [ "$(env -u GATEWAY_INTERFACE "$binary" --version)" = "$program $version" ] ||
    fail "$program --version from the package"
done
[ ${#binaries[@]} = "$(find "$root/usr/bin" "$root/usr/lib/cgi-bin" -type f | wc -l)" ] ||
  fail "the package holds a program without a manual page"
"$src/examples/demo.sh" "$root/usr" "$root/usr/share/doc/catalix/examples" >/dev/null
"$src/examples/demo.sh" "$native" >/dev/null
cmp -s "$root/usr/demo/results.html" "$native/demo/results.html" ||
  fail "the package's demo page differs from the build's"
(cd "$root/usr/demo" && "$root/usr/bin/catalix-dump" >/dev/null && "$root/usr/bin/catalix-table" csv |
   cmp -s - <(cd "$native/demo" && "$native/catalix-table" csv)) || fail "catalix-dump or catalix-table from the package"
# The Python package from the package, in Debian's python3, answers as the
# package's catalix-table does.
site="$root/usr/lib/python3/dist-packages"
if [ ! -d "$site/catalix" ]; then
  echo "SKIP: the package holds no Python package (built without pybind11)"
elif ! /usr/bin/python3 -c 'import numpy, astropy' 2>/dev/null; then
  echo "SKIP: the Python package: no numpy or astropy (Debian packages python3-numpy, python3-astropy)"
else
  (cd "$root/usr/demo" && "$root/usr/bin/catalix-table" csv | PYTHONPATH="$site" /usr/bin/python3 -c '
import catalix, csv, sys
rows = list(csv.reader(sys.stdin))
answer = catalix.query("absrp_sys_list.dat", form="absrp_query.frm")
sys.exit(rows[0] != answer.colnames or len(rows) != len(answer) + 1 or len(answer) == 0)') ||
    fail "the Python package from the package does not answer as catalix-table"
fi
answer="$(env -i REQUEST_METHOD=GET QUERY_STRING='ION=CIV&MAXREC=1' CATALIX_DATA="$root/usr/demo" "$root/usr/lib/cgi-bin/catalix-cgi")"
[[ "$answer" == *"Catalix-Query-Status: OVERFLOW"*"<TR>"* ]] || fail "catalix-cgi from the package answers: ${answer:0:100}"
if command -v hardening-check >/dev/null; then
  # The C library's own start files may lack the control-flow marks (Debian
  # 12's do), and then no program linked here can have them.
  skip=()
  echo 'int main() {}' > "$tmp/cf.cpp"
  if ! c++ -fcf-protection "$tmp/cf.cpp" -o "$tmp/cf" 2>/dev/null ||
     ! readelf -n "$tmp/cf" | grep -q 'x86 feature: IBT, SHSTK'; then
    echo "hardening-check without control-flow protection: no program built here has it"
    skip=(--nocfprotection)
  fi
  # Fortifying guards a call into a buffer whose size the compiler knows; a
  # program whose every such call goes into buffers sized at run time (the
  # reader's and the page's blocks) has none to guard, and is reported "no".
  # That the flag reached the build shows in the programs built with it
  # that do have guarded calls; the others may call only the copies and
  # reads listed here (strncpy of a literal's 39 bytes into a field of 100,
  # which the compiler proves in bounds).
  [ ! -d "$site/catalix" ] || binaries+=("$site"/catalix/*.so)  # the Python extension module
  hardening-check --nofortify "${skip[@]}" "${binaries[@]}" >"$tmp/hardening" ||
    { cat "$tmp/hardening"; fail "hardening-check"; }
  guarded=0
  for binary in "${binaries[@]}"; do
    report="$(hardening-check --verbose "$binary" || true)"
    if grep -q 'Fortify Source functions: yes' <<<"$report"; then
      guarded=$((guarded + 1))
    else
      unguarded="$(sed -n 's/^\tunprotected: //p' <<<"$report" | grep -vxE 'memcpy|memmove|memset|fread|strncpy' || true)"
      [ -z "$unguarded" ] || fail "${binary##*/} calls unfortified: $unguarded"
    fi
  done
  [ "$guarded" -gt 0 ] || fail "hardening-check: no program has fortified calls"
else
  echo "SKIP: hardening-check: not installed (Debian package devscripts)"
fi

echo "-- the Windows zip, its catalix.exe under wine"
zip="$mingw/catalix-$version-win64.zip"
[ -f "$zip" ] || { echo "FAIL: no $zip"; exit 1; }
(cd "$tmp" && cmake -E tar xf "$zip")
top="$tmp/catalix-$version-win64"
for f in README.txt LICENSE.txt examples/{style.var,absrp_query.frm,absrp_sys_list.dat} \
         site/{introduction,manual,references,query}.html site/{query,samp}.js; do
  [ -f "$top/$f" ] || fail "the zip has no $f"
done
for f in README.txt LICENSE.txt; do
  [ "$(grep -c $'\r$' "$top/$f")" = "$(wc -l <"$top/$f")" ] || fail "$f of the zip is not in CR LF"
done
[ "$(ls "$top"/*.exe | sed 's|.*/||; s|\.exe$||')" = "$(ls "$top"/doc/*.html | sed 's|.*/||; s|\.html$||')" ] ||
  fail "the zip's programs and manual pages do not match"
if x86_64-w64-mingw32-objdump -t "$top"/*.exe | grep -q '^\[ *[0-9]'; then fail "the .exe files are not stripped"; fi
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$tmp/wineprefix"
"$wineserver" -p 2>/dev/null || true
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
mkdir "$tmp/windemo" && cp "$top"/examples/* "$tmp/windemo/"
# Wine now and then fails to start a program (status 1, no output): again.
for _ in 1 2 3; do
  (cd "$tmp/windemo" && "$wine" "$top/catalix.exe" </dev/null >out 2>err) && break
done
cmp -s "$tmp/windemo/results.html" <(perl -pe 's/\n/\r\n/g' "$native/demo/results.html") ||
  fail "catalix.exe of the zip writes another page than catalix"
[ ! -s "$tmp/windemo/out" ] && [ ! -s "$tmp/windemo/err" ] || fail "catalix.exe of the zip says: $(head -c 200 "$tmp/windemo/out" "$tmp/windemo/err")"
for exe in "$top"/*.exe; do
  program="$(basename "$exe" .exe)"
  [ "$program" = catalix ] && continue
  for _ in 1 2 3; do out="$("$wine" "$exe" --version </dev/null 2>/dev/null | tr -d '\r')" && [ -n "$out" ] && break; done
  [ "$out" = "$program $version" ] || fail "$program.exe --version says \"$out\""
done
[ "$failed" = 0 ] && echo "release: packages reproducible, the .deb and the zip install and run"
