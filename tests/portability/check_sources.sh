#!/usr/bin/env bash
# The programs must build on Linux, FreeBSD and Windows from the language's
# standard library alone: every header they include is a C++ standard header
# or one of their own, and calls outside ISO C/C++ stay in the one header
# that picks them per platform (catalogue/input.h).
# Usage: tests/portability/check_sources.sh SOURCE_DIR
set -euo pipefail
cd "${1:?usage: check_sources.sh SOURCE_DIR}"
dirs=(app catalogue query report dump web table)
standard=" algorithm array cassert cctype cerrno cfloat charconv climits cmath"
standard+=" cstddef cstdint cstdio cstdlib cstring filesystem functional iterator limits memory new"
standard+=" string string_view system_error type_traits utility vector "
failed=0
while IFS=: read -r file _ header; do
  name="$(sed -E 's/.*<([^>]+)>.*/\1/' <<<"$header")"
  case "$standard" in
    *" $name "*) ;;
    *) echo "FAIL: $file includes <$name>, which is not a standard header on the list"; failed=1 ;;
  esac
done < <(grep -rn --include='*.cpp' --include='*.h' --include='*.in' -E '^#include <' "${dirs[@]}")
# Own headers must exist in the tree (or be generated from a .in file).
while IFS=: read -r file _ header; do
  name="$(sed -E 's/.*"([^"]+)".*/\1/' <<<"$header")"
  [ -f "$name" ] || [ -f "$name.in" ] || { echo "FAIL: $file includes \"$name\", which is not in the tree"; failed=1; }
done < <(grep -rn --include='*.cpp' --include='*.h' -E '^#include "' "${dirs[@]}")
# POSIX and Windows stream calls, allowed only where the platform is picked.
# Comment lines may name them.
if grep -rnE '\b(getc_unlocked|putc_unlocked|fgetc_unlocked|fputc_unlocked|fwrite_unlocked|fread_unlocked|_getc_nolock|_putc_nolock|fileno|fdopen|popen|open_memstream|fmemopen|posix_[a-z_]+|mmap|lseek)\b|(^|[^A-Za-z0-9_])::(read|write|open|close)\b' \
     "${dirs[@]}" | grep -v '^catalogue/input\.h:' | grep -vE '^[^:]+:[0-9]+:\s*//'; then
  echo "FAIL: the calls above are outside ISO C/C++ and not in catalogue/input.h"
  failed=1
fi
[ "$failed" = 0 ] && echo "standard library only: ok"
