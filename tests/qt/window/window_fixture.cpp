#include "window_fixture.h"

#include <QApplication>
#include <QTest>

#include "app/program_state.h"
#include "platform/platform.h"

MessageResult ScriptedQtPlatform::NextResult(const std::string& what) {
  if (results_.empty()) {
    ADD_FAILURE() << "no answer queued for " << what;
    return ResultCancel;
  }
  MessageResult r = results_.front();
  results_.pop_front();
  return r;
}

std::string ScriptedQtPlatform::NextText(const std::string& what) {
  if (texts_.empty()) {
    ADD_FAILURE() << "no answer queued for " << what;
    return "";
  }
  std::string t = texts_.front();
  texts_.pop_front();
  return t;
}

MessageResult ScriptedQtPlatform::MessageBox(const std::string& text, const std::string& caption,
                                             MessageStyle style) {
  shown_.push_back({"box", caption, text, style});
  if (realMessageBoxes) return QtPlatform::MessageBox(text, caption, style);
  return NextResult(caption + ": " + text);
}

MessageResult ScriptedQtPlatform::MessageDialog(const std::string& message, MessageStyle style,
                                                const std::string& title, bool, int, int) {
  shown_.push_back({"dialog", title, message, style});
  return NextResult(title + ": " + message);
}

std::string ScriptedQtPlatform::InputDialog(const std::string& prompt, const std::string& title,
                                            const std::string&) {
  shown_.push_back({"input", title, prompt, 0});
  return NextText(title + ": " + prompt);
}

bool ScriptedQtPlatform::OpenFileDialog(FileDialogRequest& request, std::string& path) {
  shown_.push_back({"open", request.title, request.initialName, static_cast<int>(request.flags)});
  path = NextText("open dialog");
  return !path.empty();
}

bool ScriptedQtPlatform::SaveFileDialog(FileDialogRequest& request, std::string& path) {
  shown_.push_back({"save", request.title, request.initialName, static_cast<int>(request.flags)});
  path = NextText("save dialog");
  return !path.empty();
}

void WindowTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  platform_ = std::make_unique<ScriptedQtPlatform>(DataFolder());
  SetPlatform(platform_.get());
  Restart("");
}

void WindowTest::Restart(const std::string& commandLine) {
  window_.reset();
  platform_->ForgetShown();
  window_ = std::make_unique<MainWindow>(*platform_);
  window_->show();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  window_->StartUp(commandLine);
}

void WindowTest::TearDown() {
  window_.reset();
  platform_.reset();
  ResetProgramState();
  SetPlatform(nullptr);
}

void WindowTest::Key(int qtKey, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(window_->windowHandle(), static_cast<Qt::Key>(qtKey), modifiers);
}

void WindowTest::Type(const QString& text) {
  for (QChar c : text) {
    const char ch = c.toLatin1();
    const bool upper = ch >= 'A' && ch <= 'Z';
    QTest::keyClick(window_->windowHandle(), ch, upper ? Qt::ShiftModifier : Qt::NoModifier);
  }
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
