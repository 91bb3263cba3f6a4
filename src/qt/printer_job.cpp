#include "qt/printer_job.h"

#include <QFontDatabase>
#include <QFontInfo>
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
  // The report and the log put their values in fixed columns: a fixed-pitch font
  // keeps them there.
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(10);
  if (!QFontInfo(font).fixedPitch()) {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(10);
  }
  painter_.setFont(font);
  const int dpi = printer_.resolution();
  const QRectF page = printer_.pageLayout().fullRectPixels(dpi);
  const QRectF paint = printer_.pageLayout().paintRectPixels(dpi);
  const QFontMetricsF cell(painter_.font(), &printer_);
  metrics_ = {page.width(), page.height(), paint.left(), paint.top(), paint.width(),
              paint.height(), cell.horizontalAdvance(QLatin1Char('0')), cell.height()};
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
