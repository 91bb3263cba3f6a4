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

bool GraphicView::FitCanvas() {
  const QRect area = contentsRect();
  const qreal ratio = devicePixelRatioF();
  const int w = std::max(1, static_cast<int>(std::lround(area.width() * ratio)));
  const int h = std::max(1, static_cast<int>(std::lround(area.height() * ratio)));
  if (w == canvas_->Width() && h == canvas_->Height()) return false;
  canvas_->Resize(w, h);
  return true;
}

void GraphicView::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);  // the frame
  QPainter painter(this);
  painter.drawImage(QRectF(contentsRect()), canvas_->Image(),
                    QRectF(0, 0, canvas_->Width(), canvas_->Height()));
}
