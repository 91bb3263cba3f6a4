// A print job painting on a paged device, a printer or a PDF file: the page canvas
// draws with a QPainter on the device. Needs Qt Gui only.
#pragma once

#include <QPagedPaintDevice>
#include <QPainter>
#include <memory>
#include <string>

#include "platform/print_job.h"
#include "qt/painter_canvas.h"

class PagedPrintJob : public PrintJob {
 public:
  std::string PrinterName() override { return started_ ? name_ : ""; }
  PageMetrics Metrics() override { return metrics_; }
  Canvas& PageCanvas() override { return *canvas_; }
  void NewPage() override;
  bool Finish() override;

 protected:
  explicit PagedPrintJob(std::string name) : name_(std::move(name)) {}
  // Starts painting on the device at dpi: the fixed-pitch font, the page metrics and
  // the canvas. Leaves the job unstarted when the device cannot be painted on.
  void Begin(QPagedPaintDevice& device, int dpi);
  // Ends the painting of a job dropped before Finish (the derived job has aborted
  // its device first where it can).
  void EndUnfinished();
  bool Unfinished() const { return started_ && !finished_; }

 private:
  QPagedPaintDevice* device_ = nullptr;
  QPainter painter_;
  std::unique_ptr<PainterCanvas> canvas_;
  PageMetrics metrics_;
  std::string name_;
  bool started_ = false, finished_ = false;
};
