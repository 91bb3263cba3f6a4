// Scenario scripts: a user's session with the main window as text, played headless
// through the window's own calls, with everything the user would see printed.
//
// One action a line: "item N" / "dblclick N" (BuildPanel 1..35), "type TEXT", "ok",
// "ok TEXT", "menu ID", "key NAME[+shift][+ctrl]", "answer yes|no|ok|cancel|close",
// "answer text TEXT", "answer file PATH", "close" (the main window's close box),
// "show" (the panel), "state" (the file and results flags and the table's counts),
// "view" (the mapping in force and the drawing calls of the last redraw, when the
// view canvas records), "printers A|*B|C" (the printers the platform lists, the
// starred one its default), "props" (the stored results as JSON). Lines starting
// with '#' and blank lines are skipped. Each action is echoed with "> "; every
// dialog, message and output window follows on its own lines, paths under the
// working folder written relative to it.
//
// A key (Enter, Esc, Left, Right, Up, Down, F1, F3, F9 or a letter) goes to the
// keyboard hook with the panel's focus, as the window hands it over; a "hook:" line
// then lists what the hook did and whether it swallowed the key. A key the hook lets
// through is not typed into the InputLine: "type" does the typing.
#pragma once

#include <functional>
#include <istream>
#include <string>

class HeadlessPlatform;

// Plays one script line. False, with why, for a malformed line (nothing is done).
// props prints the stored results (the caller's JSON writer).
bool PlayScenarioLine(const std::string& line, HeadlessPlatform& platform,
                      const std::function<void()>& props, std::string& why);

// Plays a whole script from the program's start-up state: the platform's events
// are printed as they happen. Returns 0, or 2 after a malformed line (reported on
// standard error with the script's name and the line number).
int PlayScenario(std::istream& script, const std::string& scriptName, HeadlessPlatform& platform,
                 const std::function<void()>& props);
