// The program's process-wide state, and the two ways back to a known state.
#pragma once

// Re-creates the tables empty and resets the counters, the entry state and the
// view options (pan and the identified section stay); the View menu's Without
// Nodes, Principal Axes and One-Section are enabled and unchecked, and the Edit
// menu's reflections show their first captions. Run at start-up, by Begin Again
// and before a file is read.
void ResetTables();

// Returns every process-wide struct to its state when the program starts, before
// any start-up work: the tables, the shared flags and settings, the stored
// results, the main panel with the menus as built, the dispatcher's and the entry
// state, the view options and extent, the output window's lines, and the keyboard
// hook (the list in app/program_structs.h). Start-up, the tests, the fuzz targets
// and kelvarin-cli all begin here.
void ResetProgramState();
