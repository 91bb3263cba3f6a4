// Mirror images of the whole section set about the x or the y axis, and their undo.
#pragma once

#include <string>

enum class Axis { X, Y };

// The room check before a reflection: the copies need as many sections and node
// slots as their sources. "" when they fit, else the message that refuses it.
std::string ReflectionRoomProblem();

// Appends a mirrored copy of every section (deleted and switched-off ones too),
// marked with the axis's copy bit, and sets the table's reflected flag. Polygon
// nodes are copied in reverse order, so each copy turns the way its source does.
// The caller has checked the room.
void Reflect(Axis axis);
inline void ReflectX() { Reflect(Axis::X); }
inline void ReflectY() { Reflect(Axis::Y); }

// Undoes the reflection: its copies lose the copy bit and become deleted sections
// (their slots stay), and the table's reflected flag is cleared.
void UndoReflection(Axis axis);
