#include "qt/output_view.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "output/output_window.h"
#include "qt/qt_platform.h"

namespace {

// "Courier New" 10 points, or the system's fixed-pitch font where it is missing.
QFont OutputFont() {
  QFont font;
  if (QFontDatabase::hasFamily(QStringLiteral("Courier New"))) {
    font = QFont(QStringLiteral("Courier New"));
  } else {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  }
  font.setPointSize(10);
  font.setWeight(QFont::Normal);
  return font;
}

// The most characters of a line shown at a time.
constexpr int MaxShownChars = 127;

int LineCount() { return static_cast<int>(Output.lines.size()); }

}  // namespace

OutputWindow::OutputWindow() : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("OutputWindow"));
  font_ = OutputFont();
  const QFontMetrics metrics(font_);
  charWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('X')));
  lineHeight_ = std::max(1, metrics.height());
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setFocusPolicy(Qt::StrongFocus);

  vbar_ = new QScrollBar(Qt::Vertical, this);
  hbar_ = new QScrollBar(Qt::Horizontal, this);
  for (QScrollBar* bar : {vbar_, hbar_}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
  }
  connect(vbar_, &QScrollBar::valueChanged, this, [this](int v) {
    topLine_ = std::max(1, v);
    update();
  });
  connect(hbar_, &QScrollBar::valueChanged, this, [this](int v) {
    leftCol_ = std::max(1, v);
    update();
  });
}

void OutputWindow::Open(int width, int height, const QString& title) {
  setWindowTitle(title);
  maxLen_ = 0;
  for (const std::string& line : Output.lines)
    maxLen_ = std::max(maxLen_, static_cast<int>(ToQt(line).size()));
  topLine_ = leftCol_ = 1;
  vbar_->hide();
  hbar_->hide();
  resize(width, height);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width / 2, height / 2));
  }
  Relayout();
  show();
  raise();
  activateWindow();
}

void OutputWindow::CloseQuietly() {
  quiet_ = true;
  close();
  quiet_ = false;
}

void OutputWindow::Relayout() {
  const int count = LineCount();
  // A bar narrows the text area, which may call for the other bar: settle both.
  bool showV = false, showH = false;
  for (int pass = 0; pass < 3; ++pass) {
    const int w = width() - (showV ? vbar_->sizeHint().width() : 0);
    const int h = height() - (showH ? hbar_->sizeHint().height() : 0);
    visibleCols_ = std::max(0, w / charWidth_ - 2);
    visibleRows_ = std::max(0, h / lineHeight_);
    showV = visibleRows_ < count;
    showH = visibleCols_ < maxLen_;
  }
  if (!showV) topLine_ = 1;
  if (!showH) leftCol_ = 1;

  // Positions run from 1 to count - visible + 1; a page step moves by the page
  // value: a tenth of what is hidden, at least 3.
  auto setUp = [](QScrollBar* bar, bool shown, int total, int visible, int position) {
    const QSignalBlocker block(bar);
    if (!shown) {
      bar->hide();
      return;
    }
    const int page = std::max(3, static_cast<int>(std::lround((total - visible) / 10.0)));
    bar->setRange(1, total - visible + 1);
    bar->setPageStep(page);
    bar->setSingleStep(1);
    bar->setValue(position);
    bar->show();
  };
  const int vbw = vbar_->sizeHint().width(), hbh = hbar_->sizeHint().height();
  vbar_->setGeometry(width() - vbw, 0, vbw, height() - (showH ? hbh : 0));
  hbar_->setGeometry(0, height() - hbh, width() - (showV ? vbw : 0), hbh);
  setUp(vbar_, showV, count, visibleRows_, topLine_);
  setUp(hbar_, showH, maxLen_, visibleCols_, leftCol_);
  topLine_ = showV ? vbar_->value() : 1;
  leftCol_ = showH ? hbar_->value() : 1;
  update();
}

void OutputWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void OutputWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font_);
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font_);
  const int count = LineCount();
  const int shown = std::min(visibleCols_, MaxShownChars);
  for (int i = topLine_, row = 0; i <= count && row < visibleRows_; ++i, ++row) {
    const QString line = ToQt(Output.lines[i - 1]).mid(leftCol_ - 1, shown);
    painter.drawText(charWidth_, row * lineHeight_ + metrics.ascent(), line);
  }
}

void OutputWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void OutputWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!quiet_) OutputWindowClosed();
}
