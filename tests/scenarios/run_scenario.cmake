# Plays one scenario script through `kelvarin-cli run` in a fresh data folder and
# compares standard output with the expected text. On a mismatch the actual output
# is written beside the expected file as NAME.actual.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/data)
get_filename_component(dir ${SCRIPT} DIRECTORY)
# A folder NAME.data beside the script is copied into the work folder first (a
# settings file under data/, section files the settings name).
get_filename_component(name ${SCRIPT} NAME_WE)
if(IS_DIRECTORY ${dir}/${name}.data)
  file(COPY ${dir}/${name}.data/ DESTINATION ${WORK})
endif()
execute_process(
  COMMAND ${CLI} run --data ${WORK}/data ${SCRIPT}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE rc)
set(actual "${actual}exit ${rc}\n")
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  string(REGEX REPLACE "\\.expected$" ".actual" out ${EXPECTED})
  file(WRITE ${out} "${actual}")
  message(FATAL_ERROR "scenario output differs from ${EXPECTED}; actual written to ${out}\n${errors}")
endif()
