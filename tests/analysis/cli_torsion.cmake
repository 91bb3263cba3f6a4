# kelvarin-cli torsion: its JSON keys and values, the text with units, the refusals
# and their exit codes. Run as: cmake -DCLI=... -DDATA=... -DWORK=... -P cli_torsion.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")
include(${CMAKE_CURRENT_LIST_DIR}/../files/tool_test_helpers.cmake)

# The 10 x 10 square: J = 0.1406 a^4 from its series (1405.77), the shear centre at
# its centre, every key in its place.
run_cli(torsion --json --data ${WORK}/data ${DATA}/square.sec)
set(n "-?[0-9.]+(e-?[0-9]+)?")
expect_match("JSON of the square" "${rc}|${out}"
  "^0[|]{\"J\": 1405\\.7[0-9]*, \"Iw\": ${n}, \"xs\": 4\\.99999[0-9]*, \"ys\": 4\\.99999[0-9]*, \"xsT\": ${n}, \"ysT\": ${n}, \"Asx\": ${n}, \"Asy\": ${n}, \"Jerr\": ${n}, \"elements\": [0-9]+}\n$")

run_cli(torsion --poisson 0 --accuracy 1e-3 --data ${WORK}/data ${DATA}/square.sec)
expect_match("text of the square" "${rc}|${out}"
  "^0[|]J    = 1405\\.[0-9]+ length\\^4\nIw   = ${n} length\\^6  \\(about the shear centre\\)\n.*Asx  = ${n} length\\^2  \\(A/Asx = 1\\.1[0-9]+\\)\n.*Poisson's ratio = 0\n$")

# Nothing to analyse: an unclosed polygon is refused as the report refuses it.
run_cli(torsion --json --data ${WORK}/data ${DATA}/open_polygon.sec)
expect("unclosed polygon" "${rc}" "3")

# Options out of range are bad usage.
run_cli(torsion --poisson 0.7 --data ${WORK}/data ${DATA}/square.sec)
expect("Poisson's ratio above 1/2" "${rc}" "1")

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
