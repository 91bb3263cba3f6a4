#include "qt/graphic_view.h"

#include <QPainter>
#include <cmath>

#include "qt/raster_canvas.h"

GraphicView::GraphicView(QWidget* parent)
    : QFrame(parent), canvas_(std::make_unique<RasterCanvas>(1, 1)) {
  // A raised two-pixel frame around the drawing, like a dialog frame.
  setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

GraphicView::~GraphicView() = default;

QSize GraphicView::WantedCanvasSize() const {
  const QRect area = contentsRect();
  const qreal ratio = devicePixelRatioF();
  return {std::max(1, static_cast<int>(std::lround(area.width() * ratio))),
          std::max(1, static_cast<int>(std::lround(area.height() * ratio)))};
}

bool GraphicView::FitCanvas() {
  const QSize wanted = WantedCanvasSize();
  if (wanted == QSize(canvas_->Width(), canvas_->Height())) return false;
  canvas_->Resize(wanted.width(), wanted.height());
  return true;
}

void GraphicView::paintEvent(QPaintEvent* event) {
  if (WantedCanvasSize() != QSize(canvas_->Width(), canvas_->Height()))
    QMetaObject::invokeMethod(this, &GraphicView::CanvasOutOfDate, Qt::QueuedConnection);
  QFrame::paintEvent(event);  // the frame
  QPainter painter(this);
  painter.drawImage(QRectF(contentsRect()), canvas_->Image(),
                    QRectF(0, 0, canvas_->Width(), canvas_->Height()));
}
