// The program's name and version as section files carry them in their header, and
// the version the About box shows.
#pragma once

inline constexpr char ProgramHeaderText[] = "Velmora 1.2.3";
// The header from its ninth character on: the version alone.
inline constexpr const char* ProgramVersionText = ProgramHeaderText + 8;
