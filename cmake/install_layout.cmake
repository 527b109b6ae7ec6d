# Where an install puts each part, and the install rules.  On Windows one
# folder to unzip: the programs at its top beside README.txt and LICENSE.txt.
# Elsewhere the usual tree under the prefix; on Debian and the systems made
# from it catalix-cgi goes where their web servers look for CGI programs.
include(GNUInstallDirs)
find_program(CATALIX_GZIP gzip)

# catalix_gzipped(FILE): FILE.gz made at build time, without name or time
# in its header, so that two builds give the same bytes.
function(catalix_gzipped file)
  add_custom_command(OUTPUT ${file}.gz COMMAND ${CATALIX_GZIP} -9nkf ${file} DEPENDS ${file}
                     VERBATIM)
endfunction()

if(WIN32)
  set(catalix_bindir .)
  set(catalix_cgidir .)
  set(catalix_mandir doc)
  set(catalix_sitedir site)
  set(catalix_examplesdir examples)
else()
  if(EXISTS /etc/debian_version AND NOT CMAKE_CROSSCOMPILING)
    set(debian_system ON)
  else()
    set(debian_system OFF)
  endif()
  option(CATALIX_DEBIAN_LAYOUT
         "Install as Debian does: catalix-cgi in lib/cgi-bin, a copyright file and changelog.gz"
         ${debian_system})
  # Strings, not paths: CMake would make a relative path from the command line absolute.
  set(CATALIX_INSTALL_CGIDIR "" CACHE STRING
      "Where catalix-cgi goes under the prefix (empty: lib/cgi-bin on Debian layouts, else bin)")
  set(CATALIX_INSTALL_EXAMPLESDIR "${CMAKE_INSTALL_DOCDIR}/examples" CACHE STRING
      "Where the example inputs go under the prefix")
  set(catalix_bindir ${CMAKE_INSTALL_BINDIR})
  set(catalix_cgidir ${CATALIX_INSTALL_CGIDIR})
  if(NOT catalix_cgidir)
    if(CATALIX_DEBIAN_LAYOUT)
      set(catalix_cgidir lib/cgi-bin)
    else()
      set(catalix_cgidir ${CMAKE_INSTALL_BINDIR})
    endif()
  endif()
  set(catalix_mandir ${CMAKE_INSTALL_MANDIR}/man1)
  set(catalix_sitedir ${CMAKE_INSTALL_DATADIR}/catalix)
  set(catalix_examplesdir ${CATALIX_INSTALL_EXAMPLESDIR})
endif()

set(catalix_commands ${catalix_programs})
list(REMOVE_ITEM catalix_commands catalix-cgi)
install(TARGETS ${catalix_commands} RUNTIME DESTINATION ${catalix_bindir})
install(TARGETS catalix-cgi RUNTIME DESTINATION ${catalix_cgidir})
install(FILES examples/absrp_query.frm examples/absrp_sys_list.dat examples/style.var
        DESTINATION ${catalix_examplesdir})
include(cmake/manual_pages.cmake)
if(WIN32)
  # Notepad and the console read CR LF.
  configure_file(dist/windows/README.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt DESTINATION .)
elseif(CATALIX_DEBIAN_LAYOUT)
  include(cmake/debian_docs.cmake)
endif()
