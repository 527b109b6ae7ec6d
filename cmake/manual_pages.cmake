# The manual pages, their .TH line given the version (it reads
# "catalix @PROJECT_VERSION@" in man/): gzipped for man(1), or on Windows,
# which has no man, as HTML pages that link to each other.
if(WIN32)
  find_program(CATALIX_MANDOC mandoc)
  if(NOT CATALIX_MANDOC)
    message(STATUS "mandoc not found: the manual pages are installed as troff source")
  endif()
elseif(NOT CATALIX_GZIP)
  message(STATUS "gzip not found: the manual pages are installed uncompressed")
endif()

set(catalix_manual_files)
foreach(program ${catalix_programs})
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  configure_file(man/${program}.1 ${page} @ONLY)
  file(STRINGS ${page} title REGEX "^\\.TH " LIMIT_COUNT 1)
  if(NOT title MATCHES " \"catalix ${PROJECT_VERSION}\" ")
    message(FATAL_ERROR "man/${program}.1: the .TH line does not name \"catalix @PROJECT_VERSION@\"")
  endif()
  if(WIN32 AND CATALIX_MANDOC)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${program}.html
      COMMAND ${CMAKE_COMMAND} -DMANDOC=${CATALIX_MANDOC} -DPAGE=${page}
              -DOUT=${PROJECT_BINARY_DIR}/man/${program}.html
              -P ${PROJECT_SOURCE_DIR}/cmake/manual_page_html.cmake
      DEPENDS ${page} ${PROJECT_SOURCE_DIR}/cmake/manual_page_html.cmake VERBATIM)
    list(APPEND catalix_manual_files ${PROJECT_BINARY_DIR}/man/${program}.html)
  elseif(NOT WIN32 AND CATALIX_GZIP)
    catalix_gzipped(${page})
    list(APPEND catalix_manual_files ${page}.gz)
  else()
    list(APPEND catalix_manual_files ${page})
  endif()
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${catalix_manual_files})
install(FILES ${catalix_manual_files} DESTINATION ${catalix_mandir})
