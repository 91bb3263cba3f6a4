# Plays one scenario script through `kelvarin-cli run` in a fresh data folder and
# compares its standard output, with "exit CODE" appended, with NAME.expected through
# golden_compare: texts exactly, numbers within 1e-12 of the largest magnitude on
# their line. On a mismatch NAME.actual and NAME.diff are written to FAILURES, in the
# build folder. With KELVARIN_REGENERATE set to anything but 0 in the environment, a
# mismatch (or a missing NAME.expected) writes the output as the new NAME.expected.
# Run as: cmake -DCLI=... -DCOMPARE=... -DSCRIPT=... -DEXPECTED=... -DWORK=...
#               -DFAILURES=... -P run_scenario.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/data)
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
file(REMOVE ${FAILURES}/${name}.actual ${FAILURES}/${name}.diff)
# A folder NAME.data beside the script is copied into the work folder first (a
# settings file under data/, section files the settings name).
if(IS_DIRECTORY ${dir}/${name}.data)
  file(COPY ${dir}/${name}.data/ DESTINATION ${WORK})
endif()
execute_process(
  COMMAND ${CLI} run --data data ${SCRIPT}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE rc)
set(actual "${actual}exit ${rc}\n")
file(WRITE ${WORK}/output "${actual}")
execute_process(
  COMMAND ${COMPARE} ${EXPECTED} ${WORK}/output
  OUTPUT_VARIABLE differences
  ERROR_VARIABLE compare_errors
  RESULT_VARIABLE differ)
if(differ EQUAL 0)
  return()
endif()
if(DEFINED ENV{KELVARIN_REGENERATE} AND NOT "$ENV{KELVARIN_REGENERATE}" MATCHES "^0?$")
  file(WRITE ${EXPECTED} "${actual}")
  message(STATUS "regenerated ${EXPECTED}")
  return()
endif()
file(MAKE_DIRECTORY ${FAILURES})
file(WRITE ${FAILURES}/${name}.actual "${actual}")
file(WRITE ${FAILURES}/${name}.diff "${differences}${compare_errors}")
message(FATAL_ERROR "scenario output differs from ${EXPECTED}:\n${differences}${compare_errors}"
  "actual output in ${FAILURES}/${name}.actual, differences in ${FAILURES}/${name}.diff\n"
  "${errors}")
