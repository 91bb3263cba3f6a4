// The data folder and the settings file.
#pragma once

#include <string>

// Creates every missing level of a folder path; true when it exists afterwards.
bool MakeFolderPath(const std::string& path);
// The data folder the platform gives ("" when it gives none), not created.
std::string DataFolderPath();
// Forms Shared.DataFolder from the platform's application-data folder and creates it.
void FormDataFolder();
// The settings file in Shared.DataFolder ("" when there is no data folder).
std::string SettingsFilePath();
// Reads SigDigits, OpenLastFile and the last file from the settings file. Values
// that are missing or cannot be right take their defaults; the others are kept.
void ReadSettings();
// Writes the three settings lines. False (after a message) when that failed, and
// false without a message when there is no data folder.
bool WriteSettings();

// The settings file's text for the current settings, and the parser of such a text.
std::string SettingsText();
void ApplySettingsText(const std::string& text);
