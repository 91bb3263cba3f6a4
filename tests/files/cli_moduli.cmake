# kelvarin-cli moduli and shear on the files in tests/data.
# Run as: cmake -DCLI=... -DDATA=... -DWORK=... -P cli_moduli.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")
include(${CMAKE_CURRENT_LIST_DIR}/tool_test_helpers.cmake)

# The 10 x 10 square: Wpl = b h^2 / 4 = 250, Wel = b h^2 / 6, perimeter 40.
run_cli(moduli --json --data ${WORK}/a ${DATA}/square.sec)
expect_match("moduli --json" "${rc}|${out}"
  "^0[|]{\"rx\": 2.886751345948128[0-9], .*\"WelxTop\": 166.6666666666666[0-9]+, .*\"Wplx\": 250(.0+[0-9]*)?, .*\"xPNA\": 5(.0+[0-9]*)?, \"yPNA\": 5(.0+[0-9]*)?, \"perimeter\": 40(.0+[0-9]*)?}\n$")
run_cli(moduli --digits 1 --data ${WORK}/a ${DATA}/square.sec)
expect_match("moduli text" "${rc}|${out}" "^0[|] Radii of Gyration\n\n rx   \t=   2.9\n.* Wplx \t=   250.0\n.* Perimeter \t=   40.0\n$")
run_cli(moduli --data ${WORK}/a ${DATA}/open_polygon.sec)
expect_match("moduli of an open polygon" "${rc}|${err}" "^3[|].*unclosed polygon")

run_cli(moduli --help)
expect_match("moduli --help names the axes of Wplx and Wply" "${out}"
  "Wplx is taken about the line y = yPNA and Wply about x = xPNA")

# Shear: at the middle of the square Q/(I t) = 1.5 / A; the cuts at the top and the
# bottom alike, Q exactly 0 and the width of the face.
run_cli(shear --steps 2 --data ${WORK}/a ${DATA}/square.sec)
expect_match("shear" "${rc}|${out}" "^0[|]level,width,Q,tau_per_V\n0,10,0,0\n5,10,12[45][.0-9]*,0.01500000000000000[0-9]\n10,10,0,0\n$")
expect_match("shear maximum" "${err}" "maximum tau_per_V 0.01500000000000000[0-9] at level 5\n")
run_cli(shear --steps 2 --digits 3 --data ${WORK}/a ${DATA}/square.sec)
expect("shear --digits 3" "${rc}|${out}" "0|level,width,Q,tau_per_V\n0,10,0,0\n5,10,125,0.015\n10,10,0,0\n")
run_cli(shear --axis y --steps 2 --data ${WORK}/a ${DATA}/plate_with_hole.sec)
expect_match("shear across y" "${rc}|${out}" "^0[|]level,width,Q,tau_per_V\n0,10,0,0\n10,[^\n]*\n20,10,0,0\n$")
run_cli(shear --axis z --data ${WORK}/a ${DATA}/square.sec)
expect_match("shear --axis z" "${rc}" "^1$")

if(NOT failures STREQUAL "")
  message(FATAL_ERROR "kelvarin-cli:${failures}")
endif()
