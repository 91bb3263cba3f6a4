// A print job on a Qt printer, or on a PDF file through the printer: the page canvas
// draws with a QPainter on the QPrinter.
#pragma once

#include <QPrinter>
#include <string>

#include "qt/paged_print_job.h"

class QtPrintJob : public PagedPrintJob {
 public:
  // A printer by name, or, with pdfFile not empty, that PDF file (A4, 300 dpi).
  QtPrintJob(const std::string& printerName, const std::string& pdfFile);
  ~QtPrintJob() override;  // a job dropped before Finish prints nothing

 private:
  QPrinter printer_;
};
