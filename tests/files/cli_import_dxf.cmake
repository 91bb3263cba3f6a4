# kelvarin-cli import-dxf on the drawings in tests/data/dxf: what it writes and
# prints, its refusals and exit codes, and an imported outline against the same
# outline typed into the program. Run as:
# cmake -DCLI=... -DDATA=... -DWORK=... -DCOMPARE=... -P cli_import_dxf.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")
include(${CMAKE_CURRENT_LIST_DIR}/tool_test_helpers.cmake)
set(DXF ${DATA}/dxf)

# The plate with a bored hole: the summary, then its report from the written file.
run_cli(import-dxf ${DXF}/rectangle_hole.dxf ${WORK}/plate.sec)
expect("import of the plate" "${rc}|${out}|${err}"
"0|${WORK}/plate.sec: 2 sections (1 polygon, 1 circle, 0 arc segments), 0 fillets, 1 hole, 5 points
units: inches ($INSUNITS 1)
|")
run_cli(report --digits 6 --data ${WORK}/data ${WORK}/plate.sec)
# 5000 - 100 pi, and about the x axis 100 * 50^3 / 12 - pi 10^4 / 4.
expect_match("report of the imported plate" "${rc}|${out}"
  "^0[|] Centroidal Axes\n\n Area \t=   4685.840735\n xBar \t=   50.000000\n yBar \t=   25.000000\n Ixx  \t=   1033812.685033\n")

# One layer, scaled; the note on that layer is named as not read.
run_cli(import-dxf --layer SECTION --scale 2.5 ${DXF}/layers.dxf ${WORK}/square.sec)
expect("one layer, scaled" "${rc}|${out}"
"0|${WORK}/square.sec: 1 section (1 polygon, 0 circles, 0 arc segments), 0 fillets, 0 holes, 4 points
units: millimeters ($INSUNITS 4)
not read: 1 TEXT
")
run_cli(report --digits 2 --data ${WORK}/data ${WORK}/square.sec)
expect_match("report of the scaled square" "${out}" " Area \t=   625.00\n")

# The L-shape of lines and arcs against the same outline typed into the program:
# its corners, then Add Fillets (item 10) of radius 6 at node 2 and again of 5 at node 4.
run_cli(import-dxf ${DXF}/chain_l_shape.dxf ${WORK}/l_shape.sec)
expect_match("import of the L-shape" "${rc}|${out}" "^0[|].*, 2 fillets, 0 holes, 6 points\nunits: not given\n$")
run_cli(report --json --data ${WORK}/data ${WORK}/l_shape.sec)
# The typed session's props are the nine values; the section moduli that report
# --json adds after them are left out of the comparison.
string(REGEX REPLACE ", \"rx\": .*}" "}" out "${out}")
file(WRITE ${WORK}/imported.json "${out}")
file(WRITE ${WORK}/typed.kvs "ok 0, 0\nok 80, 0\nok 80, 20\nok 20, 20\nok 20, 60\nok 0, 60\nitem 9\nok\nitem 10\nok 6, 2\nitem 10\nok 5, 4\nmenu 402\nprops\n")
run_cli(run --data ${WORK}/data ${WORK}/typed.kvs)
string(REGEX MATCH "\n({\"A\"[^\n]*\n)" typed "${out}")
file(WRITE ${WORK}/typed.json "${CMAKE_MATCH_1}")
execute_process(COMMAND ${COMPARE} ${WORK}/typed.json ${WORK}/imported.json
                OUTPUT_VARIABLE differences RESULT_VARIABLE differ)
expect("imported L-shape against the typed one" "${differ}|${differences}" "0|")
expect_match("typed L-shape has a result" "${CMAKE_MATCH_1}" "^{\"A\": 2397.6393")

# Refusals: the reason on standard error, exit code 2, no file written.
run_cli(import-dxf ${DXF}/open_chain.dxf ${WORK}/open.sec)
expect("open outline" "${rc}|${out}|${err}"
  "2||${DXF}/open_chain.dxf: An outline is open: a line or arc ends at (0, 0) and meets nothing there. Only closed outlines can be imported.\n")
run_cli(import-dxf ${DXF}/too_many_points.dxf ${WORK}/many.sec)
expect_match("too many points" "${rc}|${err}" "^2[|].*: The drawing gives 251 points; a section table holds at most 250.\n$")
run_cli(import-dxf ${DXF}/too_many_sections.dxf ${WORK}/many.sec)
expect_match("too many sections" "${rc}|${err}" "^2[|].*: The drawing gives 101 sections; a section table holds at most 100.\n$")
run_cli(import-dxf ${DXF}/nothing.dxf ${WORK}/many.sec)
expect_match("nothing to import" "${rc}|${err}" "^2[|].*: There is nothing to import: .* Not read: 1 POINT, 1 TEXT.\n$")
run_cli(import-dxf ${DXF}/rectangle.dxf ${WORK}/no-folder/out.sec)
expect_match("unwritable section file" "${rc}|${err}" "^2[|].*no-folder/out.sec: cannot write the section file: ")
run_cli(import-dxf ${DXF}/no-such.dxf ${WORK}/many.sec)
expect_match("missing drawing" "${rc}|${err}" "^2[|].*no-such.dxf: Cannot read the file .*no-such.dxf: No such file or directory.\n$")
# A file cut short before its hole's CIRCLE is refused, not imported as a plate.
file(READ ${DXF}/rectangle_hole.dxf plate)
string(FIND "${plate}" "\n  0\nCIRCLE\n" at)
math(EXPR at "${at} + 1")
string(SUBSTRING "${plate}" 0 ${at} plate)
file(WRITE ${WORK}/cut.dxf "${plate}")
run_cli(import-dxf ${WORK}/cut.dxf ${WORK}/cut.sec)
expect_match("file cut short" "${rc}|${out}|${err}"
  "^2[|][|].*cut.dxf: The file cannot be imported: it ends at line [0-9]+ inside its ENTITIES section, before the section's ENDSEC: the file is cut short.\n$")
foreach(name open many cut)
  if(EXISTS ${WORK}/${name}.sec)
    set(failures "${failures}\na refused import wrote ${name}.sec")
  endif()
endforeach()

# Bad usage: exit code 1.
run_cli(import-dxf ${DXF}/rectangle.dxf)
expect("missing OUT.sec" "${rc}" "1")
foreach(scale 0 -2 abc inf 1e999)
  run_cli(import-dxf --scale ${scale} ${DXF}/rectangle.dxf ${WORK}/s.sec)
  expect("--scale ${scale}" "${rc}" "1")
endforeach()
run_cli(--help)
expect_match("the command in the help" "${out}" "import-dxf +the closed outlines of a DXF drawing")

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
