#include "qt/printer_job.h"

#include <QFontMetricsF>
#include <QPageLayout>

QtPrintJob::QtPrintJob(const std::string& printerName, const std::string& pdfFile)
    : printer_(QPrinter::HighResolution), name_(printerName) {
  if (pdfFile.empty()) {
    printer_.setPrinterName(QString::fromStdString(printerName));
    if (!printer_.isValid()) return;
  } else {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(pdfFile));
    printer_.setResolution(300);
    printer_.setPageSize(QPageSize(QPageSize::A4));
  }
  printer_.setDocName("Kelvarin");
  if (!painter_.begin(&printer_)) return;
  started_ = true;
  const int dpi = printer_.resolution();
  const QRectF page = printer_.pageLayout().fullRectPixels(dpi);
  const QRectF paint = printer_.pageLayout().paintRectPixels(dpi);
  const QFontMetricsF font(painter_.font(), &printer_);
  metrics_ = {page.width(), page.height(), paint.left(), paint.top(), paint.width(),
              paint.height(), font.averageCharWidth(), font.height()};
  // A pen "pixel" of a quarter millimetre.
  canvas_ = std::make_unique<PainterCanvas>(painter_, paint.width(), paint.height(),
                                            dpi * 0.25 / 25.4);
}

QtPrintJob::~QtPrintJob() {
  if (started_ && !finished_) {
    printer_.abort();
    painter_.end();
  }
}

void QtPrintJob::NewPage() {
  if (started_) printer_.newPage();
}

bool QtPrintJob::Finish() {
  if (!started_ || finished_) return false;
  finished_ = true;
  return painter_.end();
}
