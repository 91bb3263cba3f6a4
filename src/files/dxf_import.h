// Importing a DXF drawing as sections: every closed outline of the drawing becomes a
// section of the table, exactly.
//
// What is read (model space, on one layer or on all):
// - closed LWPOLYLINE and POLYLINE outlines, with their bulges;
// - closed chains of LINE and ARC entities, and of open polylines, whose ends meet
//   within a millionth of the drawing's size;
// - CIRCLE entities (and an ARC of a whole turn).
// Each outline becomes a polygon whose nodes are the outline's vertices. An arc that
// joins two straight edges and is tangent to both becomes the fillet of the corner
// where the two edges' lines meet (SetFillet with the arc's radius); any other arc
// becomes its chord, and the segment between chord and arc becomes an arc-segment
// section (t < 0) of weight +1 where it bulges out of the outline and -1 where it
// bulges in. An outline inside another is a hole: weights alternate +1, -1, +1 ...
// by depth, and a polygon's segments carry its sign. Outlines may touch but not
// cross (judged by their vertices and the middles of their edges). Outlines are
// taken in order of depth, then of the file.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "files/dxf_reader.h"

struct DxfImportOptions {
  std::string layer;   // only entities on this layer (any case); "" for every layer
  double scale = 1.0;  // multiplies every coordinate and radius; must be > 0
};

struct DxfImportResult {
  bool imported = false;
  std::string refusal;  // why nothing was imported, a sentence for the user; "" when imported
  // What was made:
  int sections = 0;     // polygons + circles + arcSegments
  int polygons = 0;
  int circles = 0;
  int arcSegments = 0;  // circular segments of arcs that are not fillets
  int fillets = 0;      // arcs that became fillets of polygon corners
  int holes = 0;        // sections of weight -1 that are outlines (not segments)
  int points = 0;       // node slots used
  // The units the drawing names ($INSUNITS); coordinates are not converted.
  int insUnits = -1;    // -1 when the header gives none
  std::string units;    // "millimeters", ...; "not given" or "unknown code N"
  std::map<std::string, int> leftOut;  // entity kinds on the layer that were not read
  // A drawing far from the origin for its size is moved near it (in the drawing's
  // units times the scale, added to every coordinate); (0, 0) when not moved.
  bool moved = false;
  double movedX = 0, movedY = 0;
};

// The one import call, for the File menu's Import DXF and kelvarin-cli import-dxf.
//
// Reads text as an ASCII DXF file and builds the sections in a copy of the tables.
// Only when everything fits (at most MaxSections sections and TopNode node slots)
// and was checked does it call resetTables (the program's ResetTables; nullptr
// empties the section table only) and put the new sections in place. Then
// FileChanged is set, ResultsCurrent cleared, CurrentFile emptied (the tables come
// from no section file, so Save asks for a name) and CurrentSection is the last
// section.
//
// A drawing that lies far from the origin for its size (where single precision
// would lose more than 1e-7 of its size) is first moved by a round amount so that
// it lies near the origin; the result says by how much.
//
// Refused (imported == false, with the reason in refusal): a text that is not ASCII
// DXF, a malformed number, an entity not in the drawing plane, an outline that is
// open or branches, outlines that cross, more than MaxSections sections or TopNode
// points, nothing to import, a scale that is not a positive number, coordinates
// beyond single precision. A refusal changes nothing at all: resetTables is not
// called.
DxfImportResult ImportDxf(std::string_view text, const DxfImportOptions& options,
                          void (*resetTables)() = nullptr);

// ImportDxf on the contents of the file at path; a file that cannot be read, or is
// larger than MaxDxfFileSize, is refused in the same way.
//
// The desktop's File / Import DXF runs it as Open runs ReadSectionFile:
//   if (SaveIfChanged()) return;                  // unsaved changes kept on Cancel
//   ... an open-file dialog for "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*" ...
//   DxfImportResult r = ImportDxfFile(path, {}, ResetTables);
//   if (!r.imported) { PlatformMessageBox(r.refusal, "Import DXF", MsgOk | MsgIconError); return; }
//   then redraw, refresh the panel and enable About Centroid and About Other Axes.
DxfImportResult ImportDxfFile(const std::string& path, const DxfImportOptions& options,
                              void (*resetTables)() = nullptr);

inline constexpr std::size_t MaxDxfFileSize = 64u << 20;

// The text of the DXF file at path; false, with the reason as ImportDxfFile gives
// it, when it cannot be read or is larger than MaxDxfFileSize.
bool ReadDxfFileText(const std::string& path, std::string& text, std::string& refusal);

// The layers of the drawing's model space (block references included) with their
// counts of entities, in the order the file first uses them; empty, with the reason
// as ImportDxf gives it, when the file itself is faulty. What one layer's entities
// hold (an entity out of the plane, a block scaled unevenly) is for the import of
// that layer to refuse.
std::vector<DxfLayerCount> DxfLayers(std::string_view text, std::string& refusal);

// "2 SPLINE, 1 TEXT": the kinds that were not read with their counts, the first
// eight of them.
std::string DxfLeftOutList(const std::map<std::string, int>& leftOut);

// What an import made, as the command-line tool prints it and the window shows it:
// "2 sections (1 polygon, 1 circle, 0 arc segments), 0 fillets, 1 hole, 5 points",
// "units: inches ($INSUNITS 1)", then "not read: 1 TEXT" and "moved by (-354000,
// -5400000) to lie near the origin" where they apply.
std::vector<std::string> DxfImportReport(const DxfImportResult& result);
