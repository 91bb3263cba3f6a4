// Which point slots are in use, and whether another point or section fits.
#pragma once

#include <string>
#include <string_view>

// Slot k holds a polygon node, the slot of another kind of section, or a phantom
// point. With excludePending, the slot reserved for the point being placed does
// not count (the node slot nodeCount, or with PhantomEntry the slot lowestPhantom).
bool IsUsedPointSlot(int k, bool excludePending);

// Point k as a typed line may name it: a used slot, or point 0, the origin (slot 0
// stays at (0, 0)).
bool NamesPoint(int k, bool excludePending);
// "Point 7 does not exist" for the typed number text; a number that is no whole
// number of up to seven digits is named as typed.
std::string PointMissingMessage(std::string_view typed);
// Why point k, typed as `typed`, is no point of a section: "Point 250 is a phantom
// point", or that it does not exist.
std::string NoSectionPointMessage(int k, std::string_view typed);
// "Section 7 does not exist", likewise.
std::string SectionMissingMessage(std::string_view typed);
// Section s is in the table (1..sectionCount; deleted and switched-off ones too).
bool SectionExists(int s);

// Empties point slot k: no point, no parameters.
void ClearSlot(int k);

// One more point fits beside the pending one: above the nodes for polygon entry,
// below the phantom points with PhantomEntry.
bool HasRoomForPoint();
// Room for a new node at nodeCount + 1 (below the phantom points, within slot 250).
bool HasRoomForNode();
bool HasRoomForSection();

// Messages of the capacity refusals (caption CapacityCaption, warning icon).
inline constexpr const char* CapacityCaption = "Data Error";
// The refusal of one more point: a phantom point while phantom points are being
// entered, else a node.
std::string NoRoomMessage();
// The refusal when `needed` new node slots do not fit, naming the real shortage.
std::string NoNodeRoomMessage(int needed);
inline constexpr const char* NoSectionRoomMessage = "Cannot add more sections: the limit is 100";
