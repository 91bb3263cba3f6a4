# kelvarin-cli on the files in tests/data: the output and options of report and log,
# the exit codes of every command, generated help. Run as: cmake -DCLI=... -DDATA=... -DWORK=... -P cli_report_log.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")
include(${CMAKE_CURRENT_LIST_DIR}/tool_test_helpers.cmake)

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

# 200 - 4 pi to 17 significant digits, then the centroid of the plate; the section
# moduli follow the nine values.
run_cli(report --json --data ${WORK}/a ${DATA}/plate_with_hole.sec)
expect_match("json" "${rc}|${out}"
  "^0[|]{\"A\": 187.4336293856408[0-9], \"xBar\": 10.33522187708[0-9]+, \"yBar\": [-0-9.e]+, \"Ixx\": [-0-9.e]+, \"Iyy\": [-0-9.e]+, \"Ixy\": [-0-9.e]+, \"Imax\": [-0-9.e]+, \"Imin\": [-0-9.e]+, \"angle\": 90, \"rx\": [-0-9.e]+, .*\"perimeter\": [-0-9.e]+}\n$")

run_cli(report --data ${WORK}/a ${DATA}/bad_kind.sec)
expect_match("refused file" "${rc}|${out}|${err}" "^2[|][|]Error: Wrong file type\n")
run_cli(log --data ${WORK}/a ${DATA}/no-such-file.sec)
expect_match("missing file" "${rc}|${out}|${err}" "^2[|][|]Error: Cannot read the file\n.*no-such-file.sec\nNo such file or directory")
run_cli(report --data ${WORK}/a ${DATA}/open_polygon.sec)
expect_match("unclosed polygon" "${rc}|${out}|${err}" "^3[|][|].*section \\(2\\) is an unclosed polygon")
# print refuses what report refuses, with the same message, and writes nothing.
run_cli(print --data ${WORK}/a ${DATA}/open_polygon.sec ${WORK}/open.pdf)
expect_match("print of an unclosed polygon" "${rc}|${out}|${err}" "^3[|][|].*section \\(2\\) is an unclosed polygon")
if(EXISTS ${WORK}/open.pdf)
  set(failures "${failures}\nprint of an unclosed polygon wrote a file")
endif()
# Without XDG_RUNTIME_DIR (cron, ssh, CI) standard error stays for what the user must read.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_RUNTIME_DIR
                ${CLI} print --data ${WORK}/a ${DATA}/square.sec ${WORK}/square.pdf
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
expect("print without a runtime folder" "${rc}|${out}|${err}" "0||")
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

# One exit-code rule for every command: 0 done, 1 bad usage, 2 a refused or
# unreadable file, 3 nothing to report.
run_cli()
expect_match("no command" "${rc}|${out}|${err}" "^1[|][|].*command is required")
run_cli(reprot ${DATA}/square.sec)
expect_match("unknown command" "${rc}|${out}|${err}" "^1[|][|].*not expected: .*reprot")
run_cli(report --colour ${DATA}/square.sec)
expect_match("unknown option" "${rc}|${out}|${err}" "^1[|][|].*--colour")
run_cli(log --json ${DATA}/square.sec)
expect("--json is report's only" "${rc}|${out}" "1|")
run_cli(report --data ${WORK}/a)
expect_match("no file" "${rc}|${out}|${err}" "^1[|][|]FILE.sec is required")
run_cli(report --data ${WORK}/a ${DATA}/square.sec ${DATA}/square.sec)
expect("two files" "${rc}|${out}" "1|")
run_cli(run --data ${WORK}/a ${WORK}/no-such-script.kvs)
expect_match("unreadable script" "${rc}|${out}|${err}" "^2[|][|].*cannot read .*no-such-script.kvs")
run_cli(run)
expect("run without a script" "${rc}|${out}" "1|")

# draw: bad usage before any file is touched, then refused and unwritable files.
run_cli(draw ${DATA}/square.sec)
expect_match("draw without a picture file" "${rc}|${err}" "^1[|]OUT.png is required")
run_cli(draw --size ten ${DATA}/square.sec ${WORK}/x.png)
expect("draw --size ten" "${rc}" "1")
run_cli(draw --size 8001 ${DATA}/square.sec ${WORK}/x.png)
expect("draw --size too large" "${rc}" "1")
run_cli(draw --colour ${DATA}/square.sec ${WORK}/x.png)
expect("draw with an unknown option" "${rc}" "1")
run_cli(draw ${DATA}/no-such-file.sec ${WORK}/x.png)
expect_match("draw of a missing file" "${rc}|${err}" "^2[|].*Cannot read the file")
run_cli(draw ${DATA}/bad_kind.sec ${WORK}/x.png)
expect_match("draw of a refused file" "${rc}|${err}" "^2[|].*Wrong file type")
run_cli(draw ${DATA}/square.sec ${WORK}/no-such-folder/x.png)
expect_match("draw to an unwritable place" "${rc}|${err}" "^2[|].*cannot write")
if(EXISTS ${WORK}/x.png)
  string(APPEND failures "\na refused draw wrote ${WORK}/x.png")
endif()
# --size takes decimal numbers only: 0100 is a hundred, not octal 64.
run_cli(draw --size 0100 --no-numbers ${DATA}/square.sec ${WORK}/hundred.png)
expect("draw --size 0100" "${rc}" "0")
file(READ ${WORK}/hundred.png png_header OFFSET 16 LIMIT 8 HEX)
expect("PNG of 100 x 100 pixels" "${png_header}" "0000006400000064")

# Help is generated for the tool and for each command, and exits 0.
run_cli(--help)
expect_match("help" "${rc}|${out}" "^0[|].*report.*\n *log.*\n *draw.*\n *run")
run_cli(report --help)
expect_match("report --help" "${rc}|${out}" "^0[|].*--json.*--digits.*--data")
run_cli(draw --help)
expect_match("draw --help" "${rc}|${out}" "^0[|].*FILE.sec OUT.png.*--size.*--fill.*--axes.*--no-numbers")

if(NOT failures STREQUAL "")
  message(FATAL_ERROR "kelvarin-cli:${failures}")
endif()
