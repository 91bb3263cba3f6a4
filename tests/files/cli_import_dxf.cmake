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

# A rectangle far from the origin is moved near it, by whole metres, and keeps its
# values: 0.4 x 0.8.
run_cli(import-dxf ${DXF}/far_rectangle.dxf ${WORK}/far.sec)
expect("import of the far rectangle" "${rc}|${out}"
"0|${WORK}/far.sec: 1 section (1 polygon, 0 circles, 0 arc segments), 0 fillets, 0 holes, 4 points
units: meters ($INSUNITS 6)
moved by (-354000, -5400000) to lie near the origin
")
run_cli(report --digits 6 --data ${WORK}/data ${WORK}/far.sec)
expect_match("report of the far rectangle" "${out}"
  " Area \t=   .320000\n xBar \t=   .200000\n yBar \t=   .400000\n Ixx  \t=   .017067\n Iyy  \t=   .004267\n")

# An I-section placed as a block on layer Section, dimensioned on layer Dims: its
# layer imports, with the root fillets; every layer together is refused.
run_cli(import-dxf --layer Section ${DXF}/block_section.dxf ${WORK}/block.sec)
expect("import of the block's layer" "${rc}|${out}"
"0|${WORK}/block.sec: 1 section (1 polygon, 0 circles, 0 arc segments), 4 fillets, 0 holes, 12 points
units: millimeters ($INSUNITS 4)
moved by (-1800, -1000) to lie near the origin
")
run_cli(report --digits 6 --data ${WORK}/data ${WORK}/block.sec)
# 2 x 100 x 8.5 + 183 x 5.6 + (4 - pi) 12^2
expect_match("report of the placed block" "${out}" " Area \t=   2848.410429\n")
run_cli(import-dxf ${DXF}/block_section.dxf ${WORK}/dims.sec)
expect("dimension lines on every layer" "${rc}|${err}"
  "2|${DXF}/block_section.dxf: An outline is open: a line or arc ends at (2000, 1000) and meets nothing there. Only closed outlines can be imported.\n")

# Refusals: the reason on standard error, exit code 2, no file written.
run_cli(import-dxf ${DXF}/self_crossing.dxf ${WORK}/crossing.sec)
expect("outline crossing itself" "${rc}|${err}"
  "2|${DXF}/self_crossing.dxf: The LWPOLYLINE (handle 2F, layer \"0\") crosses or touches itself at (28.57142857, 28.57142857); an outline must not cross or touch itself.\n")
run_cli(import-dxf ${DXF}/duplicate.dxf ${WORK}/twice.sec)
expect("outline drawn twice" "${rc}|${err}"
  "2|${DXF}/duplicate.dxf: The same outline is drawn twice: by LWPOLYLINE (handle 2F, layer \"0\") and by LWPOLYLINE (handle 30, layer \"0\"); it would count twice. Remove one of them.\n")
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
foreach(name open many cut dims crossing twice)
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
