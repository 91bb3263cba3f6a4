// The structural invariants of the section table that every accepted file keeps.
#pragma once

// nullptr when the tables are sound, else a short description of the first fault:
// counts within the capacities, node slots below the phantom points, known kinds,
// polygon ranges inside 1..nodeCount in section order without overlap, other kinds
// on one slot of their own (or the slot of an earlier section of the same kind).
const char* TableInvariantFault();
