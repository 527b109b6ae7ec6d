# What Debian asks of every package's documentation, made from LICENSE and
# CHANGELOG.md: the licence as a machine-readable copyright file (with the
# vendored sampjs's), and the releases as a Debian changelog, changelog.gz.
set(CATALIX_MAINTAINER "the catalix authors <catalix@example.org>" CACHE STRING
    "Maintainer of the packages: name <address>")

file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]*)\n\n(.*)$")
  message(FATAL_ERROR "LICENSE: no \"Copyright (c) ...\" line before the terms")
endif()
set(holders "${CMAKE_MATCH_1}")
string(REGEX REPLACE "\n+$" "" terms "${CMAKE_MATCH_2}")
string(REGEX REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REGEX REPLACE "\n" "\n " terms "${terms}")
file(WRITE ${PROJECT_BINARY_DIR}/debian/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: catalix

Files: *
Copyright: ${holders}
License: BSD-3-clause
 ${terms}

Files: site/sampjs/samp.js
Copyright: 2013 the sampjs authors
License: CC0-1.0
 To the extent possible under law, the authors have dedicated all copyright
 and related and neighboring rights to this software to the public domain
 worldwide. This software is distributed without any warranty.
 .
 On Debian systems, the full text of the CC0 1.0 Universal dedication is in
 /usr/share/common-licenses/CC0-1.0.
")

# One entry per release of CHANGELOG.md ("## [1.0.0] - 2026-12-08"), newest
# first as there; its items as the entry's items, the headings left out.
set(weekdays Sat Sun Mon Tue Wed Thu Fri)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
file(READ ${PROJECT_SOURCE_DIR}/CHANGELOG.md changes)
string(REPLACE ";" "<semicolon>" changes "${changes}")
string(REPLACE "\n" ";" changes "${changes}")
set(entries "")
set(trailer "")
foreach(line IN LISTS changes)
  if(line MATCHES "^## \\[([0-9][^]]*)\\] - ([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    string(APPEND entries "${trailer}catalix (${CMAKE_MATCH_1}) unstable; urgency=medium\n")
    # The weekday by Zeller's congruence (0 is Saturday).
    math(EXPR y "${CMAKE_MATCH_2}")
    math(EXPR m "1${CMAKE_MATCH_3} - 100")
    math(EXPR d "1${CMAKE_MATCH_4} - 100")
    math(EXPR month "${m} - 1")
    list(GET months ${month} month)
    if(m LESS 3)
      math(EXPR m "${m} + 12")
      math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${d} + 13 * (${m} + 1) / 5 + ${y} + ${y} / 4 - ${y} / 100 + ${y} / 400) % 7")
    list(GET weekdays ${weekday} weekday)
    set(trailer "\n\n -- ${CATALIX_MAINTAINER}  ${weekday}, ${CMAKE_MATCH_4} ${month} ${CMAKE_MATCH_2} 00:00:00 +0000\n\n")
    set(in_release ON)
  elseif(line MATCHES "^## ")
    set(in_release OFF)
  elseif(in_release AND line MATCHES "^- (.*)")
    string(APPEND entries "\n  * ${CMAKE_MATCH_1}")
  elseif(in_release AND line MATCHES "^  +(.*)")
    string(APPEND entries "\n    ${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT entries MATCHES "^catalix \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "CHANGELOG.md: the newest release is not ${PROJECT_VERSION}")
endif()
string(APPEND entries "${trailer}")
string(REGEX REPLACE "\n\n+$" "\n" entries "${entries}")
string(REPLACE "<semicolon>" ";" entries "${entries}")
file(WRITE ${PROJECT_BINARY_DIR}/debian/changelog "${entries}")
catalix_gzipped(${PROJECT_BINARY_DIR}/debian/changelog)
add_custom_target(debian_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
