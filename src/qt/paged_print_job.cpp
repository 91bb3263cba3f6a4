#include "qt/paged_print_job.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>

void PagedPrintJob::Begin(QPagedPaintDevice& device, int dpi) {
  if (!painter_.begin(&device)) return;
  device_ = &device;
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
  const QRectF page = device.pageLayout().fullRectPixels(dpi);
  const QRectF paint = device.pageLayout().paintRectPixels(dpi);
  const QFontMetricsF cell(painter_.font(), &device);
  metrics_ = {page.width(), page.height(), paint.left(), paint.top(), paint.width(),
              paint.height(), cell.horizontalAdvance(QLatin1Char('0')), cell.height()};
  // A pen "pixel" of a quarter millimetre.
  canvas_ = std::make_unique<PainterCanvas>(painter_, paint.width(), paint.height(),
                                            dpi * 0.25 / 25.4);
}

void PagedPrintJob::EndUnfinished() {
  if (Unfinished()) painter_.end();
}

void PagedPrintJob::NewPage() {
  if (started_) device_->newPage();
}

bool PagedPrintJob::Finish() {
  if (!started_ || finished_) return false;
  finished_ = true;
  return painter_.end();
}
