// Section files (.sec): the reader, the writer and the save-before-losing question.
#pragma once

// Fills the (already emptied) tables from CurrentFile. False when the file was
// refused or could not be read; the tables are then empty.
bool ReadSectionFile();
// Writes the tables to CurrentFile when FileChanged is set, then the settings.
// False when the write failed (FileChanged stays set).
bool WriteSectionFile();
// Asks whether to save unsaved changes; 1 when the user cancelled, else 0.
int SaveIfChanged();
