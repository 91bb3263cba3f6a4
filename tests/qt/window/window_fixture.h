// The main window on the offscreen platform, with the Qt platform's modal dialogs
// answered from a queue: a test says what the user answers before the command
// runs, and reads afterwards what the dialogs showed. The windows, widgets, output
// window and canvas are the real ones.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "qt/main_window.h"
#include "qt/qt_platform.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

struct ShownDialog {
  std::string kind;  // "box", "dialog", "input", "open", "save"
  std::string caption;
  std::string text;
  int style = 0;
};

class ScriptedQtPlatform : public QtPlatform {
 public:
  explicit ScriptedQtPlatform(std::string appData) : appData_(std::move(appData)) {}

  // Answers in order: a message result for the message boxes and dialogs, a text for
  // the input dialog, a path for the file dialogs ("" cancels).
  void Answer(MessageResult result) { results_.push_back(result); }
  void Answer(std::string text) { texts_.push_back(std::move(text)); }
  const std::vector<ShownDialog>& Shown() const { return shown_; }
  void ForgetShown() { shown_.clear(); }
  // Message boxes are then the real ones: the test answers them on the screen.
  bool realMessageBoxes = false;

  MessageResult MessageBox(const std::string& text, const std::string& caption,
                           MessageStyle style) override;
  MessageResult MessageDialog(const std::string& message, MessageStyle style,
                              const std::string& title, bool beep, int x, int y) override;
  std::string InputDialog(const std::string& prompt, const std::string& title,
                          const std::string& defaultAnswer) override;
  bool OpenFileDialog(FileDialogRequest& request, std::string& path) override;
  bool SaveFileDialog(FileDialogRequest& request, std::string& path) override;
  std::string AppDataFolder() override { return appData_; }
  void Beep(int) override {}

 private:
  MessageResult NextResult(const std::string& what);
  std::string NextText(const std::string& what);

  std::string appData_;
  std::deque<MessageResult> results_;
  std::deque<std::string> texts_;
  std::vector<ShownDialog> shown_;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A window started with this command line (the fixture's is started with none).
  void Restart(const std::string& commandLine);

  // Key presses as the window system delivers them: to the window, then its focus.
  void Key(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Type(const QString& text);
  std::string DataFolder() const { return dir_.path().toStdString() + "/"; }

  QTemporaryDir dir_;
  std::unique_ptr<ScriptedQtPlatform> platform_;
  std::unique_ptr<MainWindow> window_;
};
