#include "qt/output_view.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

#include "app/print_commands.h"
#include "qt/program_icon.h"
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

int LineCount() { return static_cast<int>(Output.lines.size()); }

std::optional<ScrollRequest> RequestOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return ScrollRequest::LineForward;
    case QAbstractSlider::SliderSingleStepSub: return ScrollRequest::LineBack;
    case QAbstractSlider::SliderPageStepAdd: return ScrollRequest::PageForward;
    case QAbstractSlider::SliderPageStepSub: return ScrollRequest::PageBack;
    case QAbstractSlider::SliderMove:
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum: return ScrollRequest::Thumb;
    default: return std::nullopt;
  }
}

}  // namespace

// A caption with the close box only: no minimize or maximize, always on top.
OutputWindow::OutputWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("OutputWindow"));
  setWindowIcon(ProgramIcon());
  // Closing it never ends the program; the main window does.
  setAttribute(Qt::WA_QuitOnClose, false);
  font_ = OutputFont();
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setFocusPolicy(Qt::StrongFocus);

  vbar_ = new QScrollBar(Qt::Vertical, this);
  hbar_ = new QScrollBar(Qt::Horizontal, this);
  for (QScrollBar* bar : {vbar_, hbar_}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setSingleStep(1);
    bar->hide();
  }
  connect(vbar_, &QScrollBar::actionTriggered, this, [this](int a) { OnScroll(true, a); });
  connect(hbar_, &QScrollBar::actionTriggered, this, [this](int a) { OnScroll(false, a); });

  // A Linux window's system menu cannot take the command: the window's own menu bar
  // and its context menu carry it, with the same caption.
  menu_ = new QMenuBar(this);
  QAction* toPrinter = menu_->addAction(QStringLiteral("&To Printer "));
  connect(toPrinter, &QAction::triggered, this, [] { OutputWindowToPrinter(); });
  addAction(toPrinter);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

int OutputWindow::MenuHeight() const { return menu_->sizeHint().height(); }

void OutputWindow::Open(int width, int height, const QString& title) {
  setWindowTitle(title);
  const QFontMetrics metrics(font_);
  view_ = OpenOutputView(metrics.horizontalAdvance(QLatin1Char('X')), metrics.height());
  vbar_->hide();
  hbar_->hide();
  resize(width, height + MenuHeight());  // the text keeps the size asked for
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
  // A shown bar narrows the client area, which may call for the other bar.
  const int top = MenuHeight();
  menu_->setGeometry(0, 0, width(), top);
  OutputScrollBar v, h;
  for (int pass = 0; pass < 3; ++pass) {
    const int w = width() - (v.shown ? vbar_->sizeHint().width() : 0);
    const int hgt = height() - top - (h.shown ? hbar_->sizeHint().height() : 0);
    ResizeOutputView(view_, w, hgt);
    v = OutputScrollBarFor(LineCount(), view_.visibleRows, view_.topLine);
    h = OutputScrollBarFor(view_.maxLen, view_.visibleCols, view_.leftCol);
  }
  const int vbw = vbar_->sizeHint().width(), hbh = hbar_->sizeHint().height();
  vbar_->setGeometry(width() - vbw, top, vbw, height() - top - (h.shown ? hbh : 0));
  hbar_->setGeometry(0, height() - hbh, width() - (v.shown ? vbw : 0), hbh);
  // Qt's range is the positions themselves: 1 .. maximum - page + 1.
  for (auto [bar, state] : {std::pair{vbar_, v}, std::pair{hbar_, h}}) {
    const QSignalBlocker block(bar);
    if (!state.shown) {
      bar->hide();
      continue;
    }
    bar->setRange(state.minimum, state.maximum - state.page + 1);
    bar->setPageStep(state.page);
    bar->setValue(state.position);
    bar->show();
  }
  update();
}

void OutputWindow::OnScroll(bool vertical, int action) {
  const std::optional<ScrollRequest> request = RequestOf(action);
  if (!request) return;
  QScrollBar* bar = vertical ? vbar_ : hbar_;
  const int thumb = action == QAbstractSlider::SliderToMinimum   ? bar->minimum()
                    : action == QAbstractSlider::SliderToMaximum ? bar->maximum()
                                                                 : bar->sliderPosition();
  if (vertical) {
    ScrollOutputVertically(view_, *request, thumb);
    bar->setSliderPosition(view_.topLine);
  } else {
    ScrollOutputHorizontally(view_, *request, thumb);
    bar->setSliderPosition(view_.leftCol);
  }
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
  const int ascent = QFontMetrics(font_).ascent();
  painter.translate(0, MenuHeight());
  painter.setClipRect(0, 0, width(), height() - MenuHeight());
  for (const OutputPaintLine& line : OutputLinesToPaint(view_))
    painter.drawText(line.x, line.y + ascent, ToQt(line.text));
}

void OutputWindow::wheelEvent(QWheelEvent* event) {
  if (vbar_->isVisible()) {
    // Three lines a notch, each one a line step of the bar.
    const int steps = event->angleDelta().y() / 40;
    for (int i = 0; i < std::abs(steps); ++i)
      vbar_->triggerAction(steps < 0 ? QAbstractSlider::SliderSingleStepAdd
                                     : QAbstractSlider::SliderSingleStepSub);
  }
  event->accept();
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
