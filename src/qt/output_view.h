// The output window: the lines of the output store (output/output_window.h) in a
// fixed-pitch font, with both scroll bars, in a resizable window that stays on top
// and leaves the main window usable. Escape and the close box close it. "&To Printer "
// prints its lines: from the window's own menu bar and its context menu.
#pragma once

#include <QFont>
#include <QWidget>

#include "output/output_window.h"

class QMenuBar;
class QScrollBar;

class OutputWindow : public QWidget {
  Q_OBJECT
 public:
  OutputWindow();

  // Opens the window with the stored lines: client size width x height, centred.
  void Open(int width, int height, const QString& title);
  // Closed by the program (no close notice to the core: the caller gives it).
  void CloseQuietly();

  int TopLine() const { return view_.topLine; }
  int LeftCol() const { return view_.leftCol; }
  int VisibleRows() const { return view_.visibleRows; }
  int VisibleCols() const { return view_.visibleCols; }
  int LineHeight() const { return view_.lineHeight; }
  int CharWidth() const { return view_.charWidth; }
  QScrollBar* VerticalBar() const { return vbar_; }
  QScrollBar* HorizontalBar() const { return hbar_; }
  QMenuBar* MenuBar() const { return menu_; }
  const QFont& TextFont() const { return font_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Relayout();
  void OnScroll(bool vertical, int action);
  int MenuHeight() const;

  QFont font_;
  OutputView view_;
  QScrollBar* vbar_ = nullptr;
  QScrollBar* hbar_ = nullptr;
  QMenuBar* menu_ = nullptr;  // holds "&To Printer " above the text
  bool quiet_ = false;
};
