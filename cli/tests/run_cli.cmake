# Runs TOOL with ARGS (separated by "|") and checks its exit status against
# EXPECTED_STATUS, its standard output against the file EXPECTED_OUTPUT and its
# standard error against the text EXPECTED_SUMMARY, each when given.
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND ${TOOL} ${args} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT "${status}" STREQUAL "${EXPECTED_STATUS}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECTED_STATUS}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(EXPECTED_OUTPUT)
  file(READ ${EXPECTED_OUTPUT} expected)
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "standard output differs from ${EXPECTED_OUTPUT}:\n${out}")
  endif()
endif()
if(EXPECTED_SUMMARY AND NOT err STREQUAL "${EXPECTED_SUMMARY}\n")
  message(FATAL_ERROR "summary line differs:\n${err}\nexpected:\n${EXPECTED_SUMMARY}")
endif()
