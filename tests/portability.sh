#!/usr/bin/env bash
# The programs build from the C++ standard library alone: every header they
# include is a standard one on the list or their own, and calls outside ISO
# C/C++ stay in catalogue/source.cpp, the one file that opens input files and
# picks the 64-bit seek per platform, and report/run_folder.cpp, the lock on
# a run's folder and the handlers of the signals that end a run.
# Usage: portability.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 1
dirs=(app text catalogue query report dump web table check)
standard=" algorithm array atomic cassert cctype cerrno cfloat charconv chrono climits cmath condition_variable cstddef cstdint cstdio
  csignal cstdlib cstring filesystem fstream functional iterator limits map memory mutex new optional random string string_view
  system_error thread
  type_traits unordered_map utility vector "
platform_file=report/run_folder.cpp
platform_headers=" fcntl.h sys/file.h sys/stat.h unistd.h io.h windows.h "
failed=0
while IFS=: read -r file _ name; do
  [[ "$standard" == *[[:space:]]"$name"[[:space:]]* ]] ||
    { [ "$file" = "$platform_file" ] && [[ "$platform_headers" == *" $name "* ]]; } ||
    { echo "FAIL: $file includes <$name>"; failed=1; }
done < <(grep -rnoE --include='*.cpp' --include='*.h' --include='*.in' '^#include <[^>]+>' "${dirs[@]}" |
         sed -E 's/#include <(.*)>/\1/')
while IFS=: read -r file _ name; do
  [ -f "$name" ] || [ -f "$name.in" ] || { echo "FAIL: $file includes \"$name\", not in the tree"; failed=1; }
done < <(grep -rnoE --include='*.cpp' --include='*.h' '^#include "[^"]+"' "${dirs[@]}" | sed -E 's/#include "(.*)"/\1/')
if grep -rnE '\b(getc_unlocked|putc_unlocked|fgetc_unlocked|fputc_unlocked|fwrite_unlocked|fread_unlocked|_getc_nolock|_putc_nolock|fseeko|ftello|_fseeki64|_ftelli64|fileno|fdopen|popen|open_memstream|fmemopen|posix_[a-z_]+|mmap|lseek|flock|fcntl|sigaction|unlink|rmdir|_get_osfhandle|_fileno|[A-Z][a-z]+[A-Z][A-Za-z]*W|SetConsoleCtrlHandler|TerminateProcess|CloseHandle)\b|(^|[^A-Za-z0-9_])::(read|write|open|close)\b' \
     "${dirs[@]}" | grep -vE "^(catalogue/source\.cpp|$platform_file):" | grep -vE '^[^:]+:[0-9]+:\s*//'; then
  echo "FAIL: the calls above are outside ISO C/C++ and not in catalogue/source.cpp or $platform_file"; failed=1
fi
[ "$failed" = 0 ] && echo "standard library only: ok"
