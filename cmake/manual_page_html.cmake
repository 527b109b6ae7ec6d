# cmake -DMANDOC=... -DPAGE=x.1 -DOUT=x.html -P manual_page_html.cmake
# One manual page as HTML; its references to other pages link to their
# HTML pages beside it.
execute_process(COMMAND ${MANDOC} -Thtml -Wwarning -Oman=%N.html ${PAGE}
                OUTPUT_FILE ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "mandoc could not render ${PAGE} (status ${status})")
endif()
