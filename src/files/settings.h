// The data folder and the settings file.
#pragma once

#include <string>

// Creates every missing level of a folder path; true when it exists afterwards.
bool MakeFolderPath(const std::string& path);
// Forms Shared.DataFolder from the platform's application-data folder and creates it.
void FormDataFolder();
// Reads SigDigits, OpenLastFile and the last file from the settings file.
void ReadSettings();
// Writes the three settings lines.
bool WriteSettings();
