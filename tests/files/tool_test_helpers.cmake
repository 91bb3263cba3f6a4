# The checks the command-line tool's test scripts share: run the tool, compare its
# output, collect the failures in `failures`.

# Runs the tool with the given arguments; sets out, err and rc.
function(run_cli)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE rc)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    set(failures "${failures}\n${what}:\n--- expected\n${expected}\n--- actual\n${actual}"
        PARENT_SCOPE)
  endif()
endfunction()

function(expect_match what actual regex)
  if(NOT "${actual}" MATCHES "${regex}")
    set(failures "${failures}\n${what}: '${actual}' does not match '${regex}'" PARENT_SCOPE)
  endif()
endfunction()
