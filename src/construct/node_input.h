// The input-line language of polygon nodes: the first steps of every Ok (cleaning
// the line and the pending-step state machine) and the polygon branch.
#pragma once

#include <string>

// What the first steps of Ok make of the panel texts.
struct OkInput {
  std::string heading;  // PanelHeading, or the branch of a pending step's second half
  std::string mode;     // ModeLabel trimmed and lower-cased, or the pending step's word
  std::string line;     // the InputLine without blanks, lower case
  bool pendingStarted = false;  // the line opened a pending step: the command ends
};

// Reads heading (as held in its 32-byte field), ModeLabel and the InputLine, and
// moves PendingStep, LastAngle, FixedRadius and PhantomEntry as the line says.
OkInput ReadOkInput(const std::string& heading, const std::string& modeLabel,
                    const std::string& inputLine);

// The word a pending step puts into mode for its second half ("up" ... "fixed radius").
const char* PendingStepWord(int step);
// The PanelHeading question of a pending step: "How far up..." and so on.
std::string PendingStepHeading();

struct NodeInputResult {
  enum Outcome {
    Nothing,  // nothing changed (no nodes to undo, a refused undo, an ignored turn)
    Closed,   // the current polygon was closed
    Undone,   // a node removed or the polygon reopened
    Placed,   // a node appended
    Refused,  // a message was shown; the typed line stays for correction
    Failed,   // an intersecting line failed; the step is dropped
  };
  Outcome outcome = Nothing;
  bool newSection = false;  // a polygon section was opened
};

// The "Polygon Section" branch: close, undo, or one node by the line's form.
NodeInputResult ApplyNodeInput(const std::string& mode, const std::string& line);
