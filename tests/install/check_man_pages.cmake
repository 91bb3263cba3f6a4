# The manual pages name each program, its version and every command and option its
# --help lists. Run as: cmake -DPAGES=folder -P check_man_pages.cmake
set(expected
  "kelvarin.1|kelvarin 1.2.3|--version|FILE|XDG_DATA_HOME"
  "kelvarin-cli.1|kelvarin-cli 1.2.3|report|log|draw|run|print|import-dxf|moduli|shear|torsion|profile|EXIT STATUS")
foreach(entry ${expected})
  string(REPLACE "|" ";" words "${entry}")
  list(POP_FRONT words page)
  if(NOT EXISTS ${PAGES}/${page})
    message(FATAL_ERROR "no manual page ${PAGES}/${page}")
  endif()
  file(READ ${PAGES}/${page} text)
  # groff escapes the hyphens of options and names.
  string(REPLACE "\\-" "-" text "${text}")
  foreach(word ${words})
    string(FIND "${text}" "${word}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${page} does not mention '${word}'")
    endif()
  endforeach()
endforeach()
