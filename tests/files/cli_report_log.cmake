# kelvarin-cli report and log on the files in tests/data: output, options and exit
# codes. Run as: cmake -DCLI=... -DDATA=... -DWORK=... -P cli_report_log.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")

# Runs the tool with the given arguments and a fresh data folder under WORK.
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

set(T "\t")
set(square_report
" Centroidal Axes

 Area ${T}=   100.000
 xBar ${T}=   5.000
 yBar ${T}=   5.000
 Ixx  ${T}=   833.333
 Iyy  ${T}=   833.333
 Ixy  ${T}=   .000


 Principal Axes

 Imax ${T}=   833.333
 Imin ${T}=   833.333
Angle ${T}=   .000  Degrs
")

run_cli(report --data ${WORK}/a ${DATA}/square.sec)
expect("report of the square" "${rc}|${out}" "0|${square_report}")

run_cli(report --digits 0 --data ${WORK}/a ${DATA}/plate_with_hole.sec)
expect_match("report with no decimals" "${out}" " Area \t=   187\n xBar \t=   10\n")
expect_match("plate angle" "${out}" "Angle \t=   90  Degrs\n$")

# The decimals come from the settings file when --digits is not given.
file(WRITE ${WORK}/b/Tessivane/Velmora/Velmora.ini "5\r\n0\r\n\"\"\r\n")
run_cli(report --data ${WORK}/b ${DATA}/square.sec)
expect_match("decimals from the settings" "${out}" " Area \t=   100.00000\n")
run_cli(report --digits 1 --data ${WORK}/b ${DATA}/square.sec)
expect_match("--digits wins over the settings" "${out}" " Area \t=   100.0\n")

# 200 - 4 pi to 17 significant digits, then the centroid of the plate.
run_cli(report --json --data ${WORK}/a ${DATA}/plate_with_hole.sec)
expect_match("json" "${rc}|${out}"
  "^0[|]{\"A\": 187.4336293856408[0-9], \"xBar\": 10.33522187708[0-9]+, \"yBar\": [-0-9.e]+, \"Ixx\": [-0-9.e]+, \"Iyy\": [-0-9.e]+, \"Ixy\": [-0-9.e]+, \"Imax\": [-0-9.e]+, \"Imin\": [-0-9.e]+, \"angle\": 90}\n$")

run_cli(report --data ${WORK}/a ${DATA}/bad_kind.sec)
expect_match("refused file" "${rc}|${out}|${err}" "^2[|][|]Error: Wrong file type\n")
run_cli(log --data ${WORK}/a ${DATA}/no-such-file.sec)
expect_match("missing file" "${rc}|${out}|${err}" "^2[|][|]Error: Cannot read the file\n.*no-such-file.sec\nNo such file or directory")
run_cli(report --data ${WORK}/a ${DATA}/open_polygon.sec)
expect_match("unclosed polygon" "${rc}|${out}|${err}" "^3[|][|].*section \\(2\\) is an unclosed polygon")
run_cli(report --digits 9 ${DATA}/square.sec)
expect("bad --digits" "${rc}|${out}" "1|")

run_cli(log --data ${WORK}/a --digits 2 ${DATA}/square.sec)
expect("log of the square" "${rc}|${out}"
"0|Section 1 (polygon, Wt = 1.00)
Node    x           y           r
  1      .00         .00         .00
  2    10.00         .00         .00
  3    10.00       10.00         .00
  4      .00       10.00         .00
")
run_cli(log --data ${WORK}/a ${DATA}/open_polygon.sec)
expect_match("log of an open polygon" "${rc}|${out}" "^0[|].*\nSection 2 \\(polygon\\)\n")

run_cli(--help)
expect_match("help" "${out}" "report .*--json.*\n.*|log ")
expect_match("help" "${out}" "log \\[--digits N\\]")

if(NOT failures STREQUAL "")
  message(FATAL_ERROR "kelvarin-cli:${failures}")
endif()
