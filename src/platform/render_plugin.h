// The drawing targets of the command-line tool: a raster picture saved as PNG and a
// PDF print job. They live in a plugin that links Qt Gui, opened only by the
// commands that draw, so that the others load no Qt library at all.
#pragma once

class Canvas;
class PrintJob;

inline constexpr int RenderPluginVersion = 1;
// The one symbol the plugin exports: a function returning its RenderPlugin.
inline constexpr char RenderPluginEntry[] = "KelvarinRenderPlugin";

struct RenderPlugin {
  int version = RenderPluginVersion;
  // A raster canvas width x height, drawn as the window's view draws; deleted by the
  // caller.
  Canvas* (*newPicture)(int width, int height) = nullptr;
  // Writes a canvas from newPicture as a PNG file; false when it cannot be written.
  bool (*savePicture)(Canvas& picture, const char* pngFile) = nullptr;
  // A print job on a PDF file (A4, 300 dpi), "Print to PDF"; deleted by the caller.
  PrintJob* (*newPdfJob)(const char* pdfFile) = nullptr;
};

using RenderPluginEntryFunction = const RenderPlugin* (*)();
