// One print job on an attached printer: its page in printer units, a canvas for the
// page, new pages, and the end of the job.
#pragma once

#include <string>

class Canvas;

// Sizes in printer units (device pixels of the printer, y down from the page's
// top-left corner).
struct PageMetrics {
  double pageWidth = 0, pageHeight = 0;
  // The printable area: the page less its margins.
  double left = 0, top = 0, printableWidth = 0, printableHeight = 0;
  // One character cell of the printer's default font.
  double cellWidth = 0, cellHeight = 0;
};

class PrintJob {
 public:
  virtual ~PrintJob() = default;
  // The attached printer's name; "" means the printer could not be used.
  virtual std::string PrinterName() = 0;
  virtual PageMetrics Metrics() = 0;
  // The canvas of the current page: its device is the printable area; it draws
  // outlines only (FloodFill does nothing).
  virtual Canvas& PageCanvas() = 0;
  // Ends the current page and starts the next.
  virtual void NewPage() = 0;
  // Releases the printer, which ends the job; false when the job failed.
  virtual bool Finish() = 0;
};
