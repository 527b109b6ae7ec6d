# The packages `cpack` makes in the build folder: a .deb on Debian layouts,
# a .zip and an NSIS installer (where makensis is found) from the Windows
# build, a .tar.gz elsewhere; `cpack --config CPackSourceConfig.cmake` the
# source archive.  With SOURCE_DATE_EPOCH set, two builds give the same
# bytes.
set(CATALIX_HOMEPAGE "" CACHE STRING "Web address of the project, for the packages")

if(CATALIX_PYTHON_BUILT)
  set(catalix_python_description "

The Python package catalix reads a catalogue with the same reader into
astropy tables: the answer of a query, row for row that of catalix-table,
or the whole catalogue as tables of spectra, systems, intervals and lines.")
endif()

set(CPACK_PACKAGE_NAME catalix)
set(CPACK_PACKAGE_VENDOR "the catalix authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "query a catalogue of quasar absorption-line systems")
set(CPACK_PACKAGE_DESCRIPTION
"catalix answers one query against a catalogue of absorption-line systems
seen in the spectra of quasars and writes the answer as an HTML page, with
a table for each matching spectrum. The query bounds the spectral
resolution, the signal-to-noise ratio, the absorption redshift, the rest
and observed wavelengths, the equivalent width and the column density, and
names an ion or a system type.

The package also holds catalix-dump, which shows the catalogue and the
query as read, catalix-table, which writes the selected lines as a VOTable
or as CSV, catalix-check, which tells with line and column where a
hand-edited catalogue is not read as written, and catalix-cgi, a CGI
program that answers the query form of the site's pages.${catalix_python_description}")
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(CATALIX_HOMEPAGE)
  set(CPACK_PACKAGE_HOMEPAGE_URL ${CATALIX_HOMEPAGE})
endif()

if(WIN32)
  set(CPACK_PACKAGE_FILE_NAME catalix-${PROJECT_VERSION}-win64)
  set(CPACK_GENERATOR ZIP)
  find_program(CATALIX_MAKENSIS makensis)
  if(CATALIX_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
  endif()
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY catalix)
  set(CPACK_NSIS_PACKAGE_NAME "catalix ${PROJECT_VERSION}")
  set(CPACK_NSIS_DISPLAY_NAME "catalix ${PROJECT_VERSION}")
  set(CPACK_NSIS_MENU_LINKS README.txt "catalix README" doc/catalix.html "catalix manual")
  # Files keep no times of their own in the installer, so that it is the
  # same from every build.
  set(CPACK_NSIS_DEFINES "SetDateSave off")
else()
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
  find_program(CATALIX_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(CATALIX_DEBIAN_LAYOUT AND CATALIX_DPKG_SHLIBDEPS)
    set(CPACK_GENERATOR DEB)
  else()
    set(CPACK_GENERATOR TGZ)
  endif()
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CATALIX_MAINTAINER})
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS httpd-cgi)
  if(CATALIX_PYTHON_BUILT)
    # What dh_python3 would give an extension module of this interpreter:
    # it loads in this Python version only.  The tables need astropy,
    # which a user of the programs alone can do without.
    math(EXPR python_next_minor "${CATALIX_PYTHON_MINOR} + 1")
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "python3 (>= ${CATALIX_PYTHON_VERSION}~), python3 (<< ${CATALIX_PYTHON_MAJOR}.${python_next_minor}), python3-numpy")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS python3-astropy)
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS "httpd-cgi, python3-pandas, python3-matplotlib")
    # Byte-compiled on install and removed on removal, as Debian's Python
    # packages do.
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/dist/debian/postinst
                                           ${PROJECT_SOURCE_DIR}/dist/debian/prerm)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  endif()
endif()

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME catalix-${PROJECT_VERSION})
set(CPACK_SOURCE_IGNORE_FILES "^${PROJECT_SOURCE_DIR}/\\\\.git/" "^${PROJECT_SOURCE_DIR}/build[^/]*/" "/__pycache__/")
include(CPack)
