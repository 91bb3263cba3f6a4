// A print job on a Qt printer, or on a PDF file: the page canvas draws with a
// QPainter on the QPrinter.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <memory>

#include "platform/print_job.h"
#include "qt/painter_canvas.h"

class QtPrintJob : public PrintJob {
 public:
  // A printer by name, or, with pdfFile not empty, that PDF file (A4, 300 dpi).
  QtPrintJob(const std::string& printerName, const std::string& pdfFile);
  ~QtPrintJob() override;  // a job dropped before Finish prints nothing

  std::string PrinterName() override { return started_ ? name_ : ""; }
  PageMetrics Metrics() override { return metrics_; }
  Canvas& PageCanvas() override { return *canvas_; }
  void NewPage() override;
  bool Finish() override;

 private:
  QPrinter printer_;
  QPainter painter_;
  std::unique_ptr<PainterCanvas> canvas_;
  PageMetrics metrics_;
  std::string name_;
  bool started_ = false, finished_ = false;
};
