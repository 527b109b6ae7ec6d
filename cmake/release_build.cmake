# Release builds as a distribution makes them: hardened, stripped, and the
# same bytes from whatever folder they are built in.
option(CATALIX_HARDEN "Release builds: stack protector, fortified C calls, read-only relocations" ON)
option(CATALIX_STRIP "Release builds: strip the programs" ON)

if(CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$" AND NOT CATALIX_SANITIZE AND NOT CATALIX_FUZZ)
  # Paths of the source and build folders, and so of the layers' include
  # links under the build folder, are written relative; the build folder's
  # map comes last, so it wins where the build lies inside the source.
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                      -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
  if(WIN32)
    # A PE file holds its link time unless told not to.
    add_link_options(LINKER:--no-insert-timestamp)
  elseif(CATALIX_HARDEN)
    add_compile_options(-fstack-protector-strong)
    # And what newer distributions add, where the compiler has it for the
    # target: stack clash protection and control-flow protection (x86).
    include(CheckCXXCompilerFlag)
    check_cxx_compiler_flag(-fstack-clash-protection CATALIX_HAVE_STACK_CLASH_PROTECTION)
    check_cxx_compiler_flag(-fcf-protection CATALIX_HAVE_CF_PROTECTION)
    if(CATALIX_HAVE_STACK_CLASH_PROTECTION)
      add_compile_options(-fstack-clash-protection)
    endif()
    if(CATALIX_HAVE_CF_PROTECTION)
      add_compile_options(-fcf-protection)
    endif()
    # A compiler that fortifies by itself (at its own level) is left alone.
    include(CheckCXXSourceCompiles)
    set(CMAKE_REQUIRED_FLAGS -O2)
    check_cxx_source_compiles("#ifdef _FORTIFY_SOURCE
#error fortified already
#endif
int main() {}" CATALIX_FORTIFY_UNSET)
    unset(CMAKE_REQUIRED_FLAGS)
    if(CATALIX_FORTIFY_UNSET)
      add_compile_definitions(_FORTIFY_SOURCE=2)
    endif()
    add_link_options(LINKER:-z,relro LINKER:-z,now)
  endif()
  if(CATALIX_STRIP)
    add_link_options(-s)
  endif()
endif()
