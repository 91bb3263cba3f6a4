// A print job for tests and headless runs: each page is a recording canvas of an
// A4 page at 300 dots per inch, and the job reports itself when it finishes.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "headless/recording_canvas.h"
#include "platform/print_job.h"

class RecordingPrintJob : public PrintJob {
 public:
  using Finished = std::function<void(const RecordingPrintJob&)>;
  explicit RecordingPrintJob(std::string printer, std::string pdfFile = "", Finished finished = {})
      : printer_(std::move(printer)), pdfFile_(std::move(pdfFile)), finished_(std::move(finished)) {
    NewPage();
  }
  std::string PrinterName() override { return printer_; }
  std::string PrinterName() const { return printer_; }
  const std::string& PdfFile() const { return pdfFile_; }
  PageMetrics Metrics() override { return A4; }
  Canvas& PageCanvas() override { return pages_.back(); }
  void NewPage() override { pages_.emplace_back(static_cast<int>(A4.printableWidth), 25, 50); }
  bool Finish() override {
    if (finished_) finished_(*this);
    return true;
  }
  const std::deque<RecordingCanvas>& Pages() const { return pages_; }

  static constexpr PageMetrics A4{2480, 3508, 120, 120, 2240, 3268, 25, 50};

 private:
  std::string printer_, pdfFile_;
  Finished finished_;
  std::deque<RecordingCanvas> pages_;
};
