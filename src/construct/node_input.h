// The input-line language of polygon nodes: the first steps of every Ok (cleaning
// the line and the pending-step state machine) and the polygon branch.
#pragma once

#include <string>
#include <string_view>

#include "construct/panel_items.h"
#include "model/section_table.h"

// What the first steps of Ok make of the panel texts.
struct OkInput {
  Heading heading = Heading::Other;  // PanelHeading, or a pending step's branch
  EntryMode mode;    // ModeLabel's sub-item, or the pending step's second half
  std::string line;  // the InputLine without blanks, lower case
  bool pendingStarted = false;  // the line opened a pending step: the command ends
  bool refused = false;  // a message refused the line: the command ends, the line stays
};

// Reads PanelHeading (as held in its 32-byte field), ModeLabel and the InputLine, and
// moves PendingStep, LastAngle, FixedRadius and PhantomEntry as the line says.
OkInput ReadOkInput(const std::string& heading, const std::string& modeLabel,
                    const std::string& inputLine);

// The PanelHeading question of a pending step: "How far up..." and so on.
std::string PendingStepHeading();

struct NodeInputResult {
  enum Outcome {
    Nothing,  // nothing changed (no nodes to undo, a refused undo, an ignored turn)
    Closed,   // close: the current polygon closed (or already closed)
    Undone,   // a node removed or the polygon reopened
    Placed,   // a node appended
    Refused,  // a message was shown; the typed line stays for correction
    Failed,   // an intersecting line failed; the step is dropped
  };
  Outcome outcome = Nothing;
  bool newSection = false;  // a polygon section was opened
};

// The "Polygon Section" branch: close, undo, or one node by the line's form.
NodeInputResult ApplyNodeInput(const EntryMode& mode, const std::string& line);
