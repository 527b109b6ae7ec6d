# Cross-compiles the programs for 64-bit Windows (console) with Debian's
# mingw-w64.  Use with -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake and
# -DCATALIX_TESTS=OFF; the end-to-end cases run the .exe files under wine
# (tests/run_cases.sh BUILD_DIR).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CATALIX_MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "mingw-w64 tool prefix")
# The posix-threads variant is what Debian installs for C++17 threads (the
# page is written on a thread of its own); with the win32 variant the
# programs build without that thread.
find_program(CATALIX_MINGW_CXX NAMES ${CATALIX_MINGW_PREFIX}-g++-posix ${CATALIX_MINGW_PREFIX}-g++ REQUIRED)
set(CMAKE_CXX_COMPILER ${CATALIX_MINGW_CXX})
set(CMAKE_RC_COMPILER ${CATALIX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CATALIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Each .exe must run alone: no libgcc, libstdc++ or winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
