// The command dispatcher: every menu command, BuildPanel notification and Ok.
#pragma once

// A menu command by identifier (201..602).
void MainWindowCommand(int id);
// The Ok button (also Enter, a BuildPanel double-click and the keyboard hook).
void OkCommand();
