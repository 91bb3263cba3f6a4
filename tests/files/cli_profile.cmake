# kelvarin-cli profile: the lists, a profile written and read back, bad usage.
# Run as: cmake -DCLI=... -DDATA=... -DWORK=... -P cli_profile.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")
include(${CMAKE_CURRENT_LIST_DIR}/tool_test_helpers.cmake)

run_cli(profile --list ipe)
expect_match("profile --list ipe" "${rc}|${out}" "^0[|]IPE 80\nIPE 100\n.*\nIPE 550\nIPE 600\n$")
run_cli(profile --list XYZ)
expect_match("profile --list of an unknown family" "${rc}|${err}" "^1[|].*no family \"XYZ\"; the families are .*IPE")

# IPE 300 in cm, turned: A = 53.81 cm2, its strong axis now y.
run_cli(profile --units cm --rotate 90 --at 10,5 "ipe 300" ${WORK}/ipe.sec)
expect("profile ipe 300" "${rc}|${out}" "0|${WORK}/ipe.sec: IPE 300, 1 section, 12 points, in cm\n")
run_cli(report --json --data ${WORK}/a ${WORK}/ipe.sec)
expect_match("report of the profile" "${rc}|${out}"
  "^0[|]{\"A\": 53.8[0-9]*, \"xBar\": (10|10[.]0000[0-9]*|9[.]9999[0-9]*), \"yBar\": (5|5[.]0000[0-9]*|4[.]9999[0-9]*), \"Ixx\": 60[0-9.]*, \"Iyy\": 835[0-9.]*,")

# Names with a slash and with a dash pass the command line whole.
run_cli(profile "HSS6x6x1/4" ${WORK}/hss.sec)
expect("profile HSS6x6x1/4" "${rc}|${out}"
  "0|${WORK}/hss.sec: HSS6x6x1/4, 2 sections, 8 points, in in\n")
run_cli(profile "rhs-cf 200x100x8" ${WORK}/rhs.sec)
expect("profile rhs-cf 200x100x8" "${rc}|${out}"
  "0|${WORK}/rhs.sec: RHS-CF 200x100x8, 2 sections, 8 points, in mm\n")

run_cli(profile "IPE 310" ${WORK}/none.sec)
expect_match("an unknown profile" "${rc}|${err}" "^1[|].*unknown profile \"IPE 310\"; the nearest are IPE 300, IPE 330")
if(EXISTS ${WORK}/none.sec)
  set(failures "${failures}\nan unknown profile wrote a file")
endif()
run_cli(profile --rotate 45 "IPE 300" ${WORK}/none.sec)
expect_match("--rotate 45" "${rc}" "^1$")

if(NOT failures STREQUAL "")
  message(FATAL_ERROR "kelvarin-cli:${failures}")
endif()
