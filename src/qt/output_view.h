// The output window: the lines of the output store (output/output_window.h) in a
// fixed-pitch font, with both scroll bars, in a resizable window that stays on top
// and leaves the main window usable. Escape and the close box close it.
#pragma once

#include <QFont>
#include <QWidget>

class QScrollBar;

class OutputWindow : public QWidget {
  Q_OBJECT
 public:
  OutputWindow();

  // Opens the window with the stored lines: client size width x height, centred.
  void Open(int width, int height, const QString& title);
  // Closed by the program (no close notice to the core: the caller gives it).
  void CloseQuietly();

  int TopLine() const { return topLine_; }
  int LeftCol() const { return leftCol_; }
  int VisibleRows() const { return visibleRows_; }
  int VisibleCols() const { return visibleCols_; }
  int LineHeight() const { return lineHeight_; }
  int CharWidth() const { return charWidth_; }
  QScrollBar* VerticalBar() const { return vbar_; }
  QScrollBar* HorizontalBar() const { return hbar_; }
  const QFont& TextFont() const { return font_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Relayout();
  void OnScroll(QScrollBar* bar, int action);

  QFont font_;
  int charWidth_ = 8, lineHeight_ = 16;
  int maxLen_ = 0;
  int visibleRows_ = 0, visibleCols_ = 0;
  int topLine_ = 1, leftCol_ = 1;
  QScrollBar* vbar_ = nullptr;
  QScrollBar* hbar_ = nullptr;
  bool quiet_ = false;
};
