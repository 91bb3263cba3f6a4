#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalBlocker>
#include <QWindow>
#include <cmath>
#include <optional>

#include "app/dispatch.h"
#include "app/keyboard.h"
#include "app/window_actions.h"
#include "output/output_window.h"
#include "qt/graphic_view.h"
#include "qt/program_icon.h"
#include "qt/output_view.h"
#include "qt/qt_platform.h"
#include "qt/raster_canvas.h"
#include "qt/template_dialog.h"
#include "view/redraw_view.h"

namespace {

constexpr int ColumnWidth = 150;

// Character index of a byte offset in a UTF-8 text, and back.
int CharIndex(const std::string& text, int byteOffset) {
  byteOffset = std::clamp(byteOffset, 0, static_cast<int>(text.size()));
  return static_cast<int>(QString::fromUtf8(text.data(), byteOffset).size());
}
int ByteOffset(const QString& text, int charIndex) {
  return static_cast<int>(text.left(charIndex).toUtf8().size());
}

// The key of the hook for a Qt key; Key::None for keys the hook has no row for.
Key HookKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Escape: return Key::Esc;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_F1: return Key::F1;
    case Qt::Key_F3: return Key::F3;
    case Qt::Key_F9: return Key::F9;
    default:
      if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return LetterKey(static_cast<char>(qtKey));
      return Key::None;
  }
}

}  // namespace

MainWindowGeometry ComputeMainWindowGeometry(int workAreaHeight, int menuBarHeight,
                                             int statusBarHeight, int frameHeight) {
  MainWindowGeometry g;
  g.windowHeight = static_cast<int>(std::lround(0.9f * static_cast<float>(workAreaHeight)));
  g.frameHeight = frameHeight;
  g.clientHeight = g.windowHeight - frameHeight - menuBarHeight;
  g.statusHeight = statusBarHeight;
  g.g = g.clientHeight - statusBarHeight;
  // The client area becomes (150 + G) wide, so the view is square.
  g.width = ColumnWidth + g.g;
  return g;
}

QFont PanelFont(const QFont& base) {
  // A condensed sans at 11 pixels shows the longest heading and mode texts within
  // the labels' 140 and 130 pixels; the narrow faces after it stand in where it is
  // missing.
  QFont font = base;
  font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                    QStringLiteral("Nimbus Sans Narrow")});
  font.setPixelSize(11);
  return font;
}

QString TextToFit(const QString& text, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  // Numbers with many digits (an angle of 15 digits) are rounded, a digit at a time.
  static const QRegularExpression number(QStringLiteral(R"(\d+\.\d+(?:[eE][-+]?\d+)?)"));
  for (int digits = 12; digits >= 1; --digits) {
    QString shorter;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = number.globalMatch(text); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      shorter += text.mid(from, m.capturedStart() - from);
      shorter += QString::number(m.captured().toDouble(), 'g', digits);
      from = m.capturedEnd();
    }
    if (from == 0) break;  // no number to round
    shorter += text.mid(from);
    if (metrics.horizontalAdvance(shorter) <= width) return shorter;
  }
  return metrics.elidedText(text, Qt::ElideRight, width);
}

MainWindow::MainWindow(QtPlatform& platform) : platform_(platform) {
  setWindowTitle(QStringLiteral("Kelvarin"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(ProgramIcon());
  // The column's controls are 15 to 18 pixels high and their labels narrow.
  setFont(PanelFont(font()));

  BuildMenus();
  const int statusHeight = fontMetrics().height() + 8;
  const QScreen* screen = QGuiApplication::primaryScreen();
  workArea_ = screen != nullptr ? screen->availableGeometry().height() : 768;
  menuHeight_ = menuBar()->sizeHint().height();
  geometry_ = ComputeMainWindowGeometry(workArea_, menuHeight_, statusHeight);

  BuildControls();
  PlaceControls();

  platform_.SetOwner(this);
  platform_.SetBeforeDialog([this] { ShowPanelBeforeDialog(); });
  platform_.SetBetweenCommands([this](std::function<void()> result) { RunWhenIdle(std::move(result)); });
  platform_.ClearQuitRequest();
  view_->FitCanvas();
  platform_.SetViewCanvas(&view_->Canvas());

  connect(view_, &GraphicView::CanvasOutOfDate, this, [this] {
    // Only the core draws: a refitted (cleared) canvas gets the current picture.
    if (commandDepth_ > 0 || closing_ || !view_->FitCanvas()) return;
    RedrawView();
    view_->update();
  });
  connect(qApp, &QApplication::focusChanged, this, &MainWindow::OnFocusChanged);
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  // The children go after this destructor: nothing of theirs may call back here.
  closing_ = true;
  qApp->removeEventFilter(this);
  disconnect(qApp, nullptr, this, nullptr);
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
  if (platform_.ViewCanvas() == &view_->Canvas()) platform_.SetViewCanvas(nullptr);
  platform_.SetOwner(nullptr);
  platform_.SetBeforeDialog(nullptr);
}

void MainWindow::BuildMenus() {
  for (const MenuDef& def : MainMenus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(def.title));
    // The hook stays out of keys while a menu is open.
    connect(menu, &QMenu::aboutToShow, this, [] { MenuPopupOpened(); });
    connect(menu, &QMenu::aboutToHide, this, [] { MenuLoopEnded(); });
    for (const MenuItemDef& item : def.items) {
      if (item.id == 0) {
        menu->addSeparator();
        continue;
      }
      // The text after the tab is only a label: the keys are the hook's.
      QAction* action = menu->addAction(QString::fromLatin1(item.caption));
      const CommandId id = item.id;
      actions_[id] = action;
      shortcuts_[id] = item.shortcut;
      connect(action, &QAction::triggered, this,
              [this, id] { RunCommand([id] { MainWindowCommand(id); }); });
    }
  }
}

void MainWindow::BuildControls() {
  auto* client = new QWidget(this);
  setCentralWidget(client);

  // Creation order is the tab order.
  statusBar_ = new QWidget(client);
  statusBar_->setObjectName(QStringLiteral("StatusBar"));
  prompt_ = new QLabel(statusBar_);
  prompt_->setObjectName(QStringLiteral("PromptLabel"));
  status2_ = new QLabel(statusBar_);
  status2_->setObjectName(QStringLiteral("StatusPart2"));
  for (QLabel* part : {prompt_, status2_}) {
    part->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    part->setTextFormat(Qt::PlainText);
    part->setIndent(3);
  }

  buildPanel_ = new QListWidget(client);
  buildPanel_->setObjectName(QStringLiteral("BuildPanel"));
  for (int i = 1; i <= BuildPanelCount; ++i)
    buildPanel_->addItem(QString::fromLatin1(ItemText(ItemAt(i))));
  buildPanel_->setUniformItemSizes(true);
  QPalette yellow = buildPanel_->palette();
  yellow.setColor(QPalette::Base, QColor(255, 255, 0));
  yellow.setColor(QPalette::Text, Qt::black);
  buildPanel_->setPalette(yellow);

  view_ = new GraphicView(client);
  view_->setObjectName(QStringLiteral("GraphicView"));

  frame_ = new QGroupBox(client);
  frame_->setObjectName(QStringLiteral("Frame"));

  heading_ = new QLabel(client);
  heading_->setObjectName(QStringLiteral("PanelHeading"));
  mode_ = new QLabel(client);
  mode_->setObjectName(QStringLiteral("ModeLabel"));
  for (QLabel* label : {heading_, mode_}) label->setTextFormat(Qt::PlainText);

  input_ = new QLineEdit(client);
  input_->setObjectName(QStringLiteral("InputLine"));
  // Enter reaches Ok only through the keyboard hook: returnPressed stays unconnected.

  ok_ = new QPushButton(QStringLiteral("&Ok"), client);
  ok_->setObjectName(QStringLiteral("OkButton"));
  // No default button: Enter in the InputLine must not press Ok a second time.
  ok_->setAutoDefault(false);
  ok_->setDefault(false);

  // The group box reaches three pixels into the status bar, which stays on top.
  statusBar_->raise();

  connect(ok_, &QPushButton::clicked, this, [this] { RunCommand([] { PressOkButton(); }); });
  connect(buildPanel_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (syncing_ || row < 0) return;
    RunCommand([row] {
      SelectBuildPanelItem(ItemAt(row + 1));
      BuildPanelNotify(LbnSelChange);
    });
  });
  connect(buildPanel_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
    if (syncing_) return;
    RunCommand([] { BuildPanelNotify(LbnDblClk); });
  });
}

void MainWindow::PlaceControls() {
  const int g = geometry_.g;
  statusBar_->setGeometry(0, g, geometry_.width, geometry_.statusHeight);
  prompt_->setGeometry(0, 0, ColumnWidth, geometry_.statusHeight);
  status2_->setGeometry(ColumnWidth, 0, geometry_.width - ColumnWidth, geometry_.statusHeight);
  buildPanel_->setGeometry(0, 0, ColumnWidth, g - 115);
  view_->setGeometry(ColumnWidth, 0, g, g);
  frame_->setGeometry(0, g - 120, ColumnWidth, 123);
  heading_->setGeometry(5, g - 108, 140, 15);
  mode_->setGeometry(15, g - 93, 130, 15);
  input_->setGeometry(15, g - 70, 120, 18);
  ok_->setGeometry(50, g - 45, 50, 25);
  // The window keeps its size.
  setFixedSize(geometry_.width, geometry_.windowHeight - geometry_.frameHeight);
}

void MainWindow::FitFrame() {
  if (frameFitted_ || !isVisible()) return;
  const int frame = ScreenFrame(this).height() - height();
  if (frame <= 0) return;  // not framed yet (or never: no window manager)
  frameFitted_ = true;
  geometry_ = ComputeMainWindowGeometry(workArea_, menuHeight_, geometry_.statusHeight, frame);
  PlaceControls();
  // The smaller view gets its picture again; inside a command the view's next paint
  // asks for that.
  if (commandDepth_ == 0 && view_->FitCanvas()) {
    RedrawView();
    view_->update();
  }
}

bool MainWindow::event(QEvent* event) {
  // The window manager frames the window after it is shown; its place and frame
  // arrive as a move.
  const bool result = QMainWindow::event(event);
  if (event->type() == QEvent::Move || event->type() == QEvent::Show) FitFrame();
  return result;
}

void MainWindow::ShowPanelBeforeDialog() {
  if (closing_) return;
  if (commandDepth_ > 0) CopyPanelToWidgets();
  QWindow* window = windowHandle();
  if (placeAwaited_ || window == nullptr || !isVisible()) return;
  placeAwaited_ = true;
  // The first dialog may come before the window manager has placed and framed the
  // window (a message at start-up): wait a little for both, so that the dialog is
  // centred on the window as the user will see it. Without a window manager no
  // frame comes, so the wait for it after the window is shown is short.
  auto settled = [this, window] {
    return window->isExposed() && frameFitted_ &&
           ScreenFrame(this).height() == geometry_.windowHeight;
  };
  QElapsedTimer waited, shown;
  waited.start();
  while (!settled() && waited.elapsed() < 1500) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    FitFrame();
    if (!window->isExposed() || frameFitted_) continue;
    if (!shown.isValid()) shown.start();
    if (shown.elapsed() > 250) break;
  }
}

void MainWindow::SetLabelText(QLabel* label, const std::string& text) {
  const QString full = ToQt(text);
  const QString shown = TextToFit(full, label->fontMetrics(), label->contentsRect().width());
  label->setText(shown);
  // The whole text stays readable where it had to be shortened.
  label->setToolTip(shown == full ? QString() : full);
}

QAction* MainWindow::Action(CommandId id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

Focus MainWindow::FocusOf(const QWidget* widget) const {
  if (widget == buildPanel_) return Focus::BuildPanel;
  if (widget == ok_) return Focus::OkButton;
  if (widget == view_) return Focus::GraphicView;
  return Focus::InputLine;
}

void MainWindow::StartUp(const std::string& commandLine) {
  RunCommand([&commandLine] { ::StartUp(commandLine); });
}

void MainWindow::RunCommand(const std::function<void()>& command) {
  if (commandDepth_ > 0 || closing_) return;
  ++commandDepth_;
  CopyWidgetsToPanel();
  command();
  --commandDepth_;
  if (platform_.QuitRequested()) {
    EndProgram();
    return;
  }
  CopyPanelToWidgets();
}

void MainWindow::RunWhenIdle(std::function<void()> command) {
  if (closing_) return;
  if (commandDepth_ > 0) {
    QTimer::singleShot(50, this, [this, command = std::move(command)]() mutable {
      RunWhenIdle(std::move(command));
    });
    return;
  }
  RunCommand(command);
}

void MainWindow::EndProgram() {
  if (closing_) return;
  closing_ = true;  // the close protocol has removed the hook
  platform_.CloseSideWindows();
  close();  // inside closeEvent this does nothing more
}

void MainWindow::CopyWidgetsToPanel() {
  const QString text = input_->text();
  Panel.inputLine = FromQt(text);
  if (input_->hasSelectedText()) {
    Panel.selectionStart = ByteOffset(text, input_->selectionStart());
    Panel.selectionEnd = ByteOffset(text, input_->selectionEnd());
  } else {
    Panel.selectionStart = Panel.selectionEnd = ByteOffset(text, input_->cursorPosition());
  }
  const int row = buildPanel_->currentRow();
  if (row >= 0 && ItemAt(row + 1) != Panel.selectedItem) SelectBuildPanelItem(ItemAt(row + 1));
}

void MainWindow::CopyPanelToWidgets() {
  syncing_ = true;
  {
    QSignalBlocker block(buildPanel_);
    buildPanel_->setCurrentRow(ItemNumber(Panel.selectedItem) - 1);
  }
  // The focus first: a line edit that loses it drops its selection.
  switch (Panel.focus) {
    case Focus::InputLine: input_->setFocus(Qt::OtherFocusReason); break;
    case Focus::BuildPanel: buildPanel_->setFocus(Qt::OtherFocusReason); break;
    case Focus::OkButton: ok_->setFocus(Qt::OtherFocusReason); break;
    default: break;  // the output window or a dialog: the window keeps its own
  }
  SetLabelText(heading_, Panel.heading);
  SetLabelText(mode_, Panel.modeLabel);
  const QString text = ToQt(Panel.inputLine);
  if (input_->text() != text) input_->setText(text);
  const int start = CharIndex(Panel.inputLine, Panel.selectionStart);
  const int end = CharIndex(Panel.inputLine, Panel.selectionEnd);
  if (start != end) {
    input_->setSelection(start, end - start);
  } else {
    input_->setCursorPosition(end);
  }
  prompt_->setText(ToQt(Panel.promptLabel));
  status2_->setText(ToQt(Panel.status2));

  for (const auto& [id, action] : actions_) {
    const MenuItemState& state = Panel.menu[id];
    QString caption = ToQt(MenuCaption(id));
    if (const std::string& key = shortcuts_[id]; !key.empty()) caption += '\t' + ToQt(key);
    action->setText(caption);
    action->setEnabled(state.enabled);
    action->setCheckable(state.checked);
    action->setChecked(state.checked);
  }
  view_->update();
  syncing_ = false;
}

void MainWindow::OnFocusChanged(QWidget*, QWidget* now) {
  if (syncing_ || commandDepth_ > 0 || closing_ || now == nullptr) return;
  if (now != input_ && now != buildPanel_ && now != ok_ && now != view_) return;
  const Focus focus = FocusOf(now);
  if (focus == Panel.focus) return;
  RunCommand([focus] { MoveFocus(focus); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Each press reaches a program window once, before its focused control: the
  // hook sees it there. Releases are not handed over.
  if (event->type() == QEvent::KeyPress && watched->isWindowType())
    return HandleKeyPress(watched, static_cast<QKeyEvent*>(event));
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::HandleKeyPress(QObject* receiver, QKeyEvent* event) {
  Focus focus;
  if (receiver == windowHandle()) {
    focus = FocusOf(focusWidget());
  } else if (OutputWindow* output = platform_.OutputWindowShown();
             output != nullptr && receiver == output->windowHandle()) {
    focus = Focus::OutputWindow;
  } else {
    return false;  // a dialog's or another window's key
  }
  // Alt combinations belong to the menu bar's mnemonics, and so do the keys of a
  // menu bar that has taken the focus.
  if (QApplication::activeModalWidget() != nullptr || commandDepth_ > 0 ||
      (event->modifiers() & Qt::AltModifier) || qobject_cast<QMenuBar*>(focusWidget()) != nullptr)
    return false;
  const Key key = HookKey(event->key());
  if (key == Key::None) return false;  // the hook has no row for it
  const KeyPress press{key, (event->modifiers() & Qt::ShiftModifier) != 0,
                       (event->modifiers() & Qt::ControlModifier) != 0, focus};
  std::optional<KeyResult> result;
  RunCommand([&] { result = PressKey(press); });
  return result.has_value() && result->swallow;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    // The close box, Alt+F4 or the window manager: the close protocol decides.
    if (commandDepth_ == 0) {
      RunCommand([] { CloseMainWindow(); });
    }
    if (!closing_) {
      event->ignore();
      return;
    }
  }
  event->accept();
}
