// The GraphicView: a framed square that shows the raster canvas the view is drawn
// on. The canvas has the view's size in device pixels and lives behind the widget;
// the core draws on it (RedrawView) and the widget only copies it to the screen.
#pragma once

#include <QFrame>
#include <memory>

class RasterCanvas;

class GraphicView : public QFrame {
  Q_OBJECT
 public:
  explicit GraphicView(QWidget* parent);
  ~GraphicView() override;

  RasterCanvas& Canvas() { return *canvas_; }
  // Sizes the canvas to the drawing area for the screen's device pixel ratio. True
  // when the size changed (the picture was cleared and needs a redraw).
  bool FitCanvas();

 signals:
  // The canvas no longer matches the drawing area (the window moved to a screen of
  // another pixel ratio): the owner refits it and has the core redraw.
  void CanvasOutOfDate();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSize WantedCanvasSize() const;

  std::unique_ptr<RasterCanvas> canvas_;
};
