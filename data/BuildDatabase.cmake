# Runs SQL scripts in order into a new SQLite file; fails on the first error.
foreach(script ${SCRIPTS})
  execute_process(COMMAND ${SQLITE3} -bail ${OUT} ".read ${script}"
                  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${script}: ${err}")
  endif()
endforeach()
