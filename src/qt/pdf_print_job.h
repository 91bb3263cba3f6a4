// A print job on a PDF file (A4, 300 dpi) through Qt Gui's PDF writer: what
// kelvarin-cli print writes, without Qt's print support.
#pragma once

#include <QPdfWriter>
#include <string>

#include "qt/paged_print_job.h"

class PdfPrintJob : public PagedPrintJob {
 public:
  // The job's printer name is "Print to PDF"; empty when the file cannot be written.
  explicit PdfPrintJob(const std::string& pdfFile);
  ~PdfPrintJob() override;

 private:
  QPdfWriter writer_;
};
