// The main window: the BuildPanel column, the GraphicView, the menus and the
// two-part status bar, all at fixed pixel positions computed once from the screen.
//
// The window holds no state of its own: the main panel (app/main_panel.h) is the
// window as data. Before every command the user's typing, selection and list choice
// are copied into it; after every command it is copied onto the widgets. Clicks,
// focus changes and menus reach the core as the calls of app/window_actions.h and
// app/dispatch.h, and every key press goes once to the keyboard hook.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

#include "app/main_panel.h"
#include "app/menu_ids.h"

class GraphicView;
class QAction;
class QFontMetrics;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QtPlatform;

// Pixel geometry of the main window for a work area of a given height.
struct MainWindowGeometry {
  int windowHeight = 0;  // round(0.9 * work-area height): the outer window, frame included
  int frameHeight = 0;   // what the window manager's frame adds (caption and borders)
  int clientHeight = 0;  // windowHeight without the frame and the menu bar
  int g = 0;             // clientHeight without the status bar: the GraphicView's side
  int width = 0;         // 150 + g
  int statusHeight = 0;
};
MainWindowGeometry ComputeMainWindowGeometry(int workAreaHeight, int menuBarHeight,
                                             int statusBarHeight, int frameHeight = 0);

// The font of the window's column: its labels were sized for a narrow 8-point face.
QFont PanelFont(const QFont& base);
// A label's text as it fits width pixels: itself when it fits, else with its long
// numbers rounded to fewer digits, else cut with an ellipsis.
QString TextToFit(const QString& text, const QFontMetrics& metrics, int width);

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QtPlatform& platform);
  ~MainWindow() override;

  // The start-up work with the command line (the arguments after the program).
  void StartUp(const std::string& commandLine);

  // Runs a command the way every user action does: widgets into the panel, the
  // command, the panel onto the widgets. A command arriving while one runs (from a
  // nested dialog loop) is dropped.
  void RunCommand(const std::function<void()>& command);
  // Runs a command as soon as none is running (a modal dialog may be open).
  void RunWhenIdle(std::function<void()> command);
  // The two directions of the sync.
  void CopyWidgetsToPanel();
  void CopyPanelToWidgets();
  // Before a modal dialog opens in the middle of a command: the widgets show the
  // panel as it stands, and the window has its place on the screen to centre on.
  void ShowPanelBeforeDialog();

  const MainWindowGeometry& Geometry() const { return geometry_; }
  QListWidget* BuildPanel() const { return buildPanel_; }
  GraphicView* View() const { return view_; }
  QGroupBox* Frame() const { return frame_; }
  QLabel* HeadingLabel() const { return heading_; }
  QLabel* ModeLabel() const { return mode_; }
  QLineEdit* InputLine() const { return input_; }
  QPushButton* OkButton() const { return ok_; }
  QWidget* StatusBar() const { return statusBar_; }
  QLabel* PromptLabel() const { return prompt_; }
  QLabel* StatusPart2() const { return status2_; }
  QAction* Action(CommandId id) const;
  bool CommandRunning() const { return commandDepth_ > 0; }

  // The control of the main window that has the focus, as the core names it.
  Focus FocusOf(const QWidget* widget) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildControls();
  // Puts the controls where geometry_ says and fixes the window's size.
  void PlaceControls();
  // Once the window manager has framed the window: the frame comes off the height.
  void FitFrame();
  // Writes a text into the heading or mode label, shortened when it would not fit.
  void SetLabelText(QLabel* label, const std::string& text);
  void OnFocusChanged(QWidget* old, QWidget* now);
  // The close protocol agreed: the hook goes, the side windows close, the window too.
  void EndProgram();
  // A key press delivered to a window of the program; true when the hook swallowed it.
  bool HandleKeyPress(QObject* receiver, QKeyEvent* event);

  QtPlatform& platform_;
  MainWindowGeometry geometry_;
  QListWidget* buildPanel_ = nullptr;
  GraphicView* view_ = nullptr;
  QGroupBox* frame_ = nullptr;
  QLabel* heading_ = nullptr;
  QLabel* mode_ = nullptr;
  QLineEdit* input_ = nullptr;
  QPushButton* ok_ = nullptr;
  QWidget* statusBar_ = nullptr;
  QLabel* prompt_ = nullptr;
  QLabel* status2_ = nullptr;
  std::map<CommandId, QAction*> actions_;
  std::map<CommandId, std::string> shortcuts_;
  int commandDepth_ = 0;
  bool syncing_ = false;
  bool closing_ = false;
  bool frameFitted_ = false;
  bool placeAwaited_ = false;
  int workArea_ = 0;
  int menuHeight_ = 0;
};
