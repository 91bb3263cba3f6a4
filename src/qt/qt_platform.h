// The platform of the real program: Qt message boxes and file dialogs, the
// program's own message and input dialogs, the output window, the result dialog,
// the data folder and the beep.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "platform/platform.h"

class QDialog;
class QTextBrowser;
class QWidget;
class OutputWindow;

// Texts of the core (UTF-8) for Qt, and back.
inline QString ToQt(const std::string& text) { return QString::fromStdString(text); }
inline std::string FromQt(const QString& text) { return text.toStdString(); }

class QtPlatform : public Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;

  // The window that owns modal dialogs and centres them (the main window).
  void SetOwner(QWidget* owner) { owner_ = owner; }
  QWidget* Owner() const { return owner_; }
  // Called before every modal dialog, message box and file dialog opens.
  void SetBeforeDialog(std::function<void()> call) { beforeDialog_ = std::move(call); }
  // How the result of background work reaches the program: the window runs it as a
  // command once no command is running. Without it the result runs at once.
  void SetBetweenCommands(std::function<void(std::function<void()>)> run) {
    betweenCommands_ = std::move(run);
  }
  // The output window while it is shown, else null.
  OutputWindow* OutputWindowShown() const;

  MessageResult MessageBox(const std::string& text, const std::string& caption,
                           MessageStyle style) override;
  MessageResult MessageDialog(const std::string& message, MessageStyle style,
                              const std::string& title, bool beep, int x, int y) override;
  std::string InputDialog(const std::string& prompt, const std::string& title,
                          const std::string& defaultAnswer) override;
  int ChooseFromList(const std::string& caption, const std::string& prompt,
                     const std::vector<std::string>& items) override;
  void ShowOutputWindow(int width, int height, const std::string& title) override;
  void CloseOutputWindow() override;
  void ShowResultDialog(const std::string& caption, const std::vector<std::string>& lines) override;
  void CloseResultDialog() override;
  bool OpenFileDialog(FileDialogRequest& request, std::string& path) override;
  bool SaveFileDialog(FileDialogRequest& request, std::string& path) override;
  std::string AppDataFolder() override;
  std::string ProgramFolder() override;
  bool ShowPreferencesDialog(PreferenceValues& values) override;
  bool AddProfileDialog(ProfileRequest& request) override;
  void ShowAboutBox(const AboutBoxContent& content) override;
  void ShowHelp(const std::string& path, HelpViewer viewer) override;
  void OpenUrl(const std::string& url) override;
  void QuitProgram() override { quitRequested_ = true; }
  std::vector<std::string> PrinterNames() override;
  std::string DefaultPrinterName() override;
  std::string ChoosePrinterDialog(const std::vector<std::string>& names, int preselected) override;
  std::string PlatformPrintDialog() override;
  std::unique_ptr<PrintJob> StartPrintJob(const std::string& printerName,
                                          const std::string& pdfFile) override;
  void Beep(int kind) override;
  void RunInBackground(const std::string& title, std::function<void()> work,
                       std::function<void()> done) override;

  // The close protocol agreed to end the program (the window closes after the
  // command that asked).
  bool QuitRequested() const { return quitRequested_; }
  // A new main window starts a new run.
  void ClearQuitRequest() { quitRequested_ = false; }
  // The help window while it is shown, else null.
  QTextBrowser* HelpWindowShown() const;
  // Closes the windows the program opened beside the main window.
  void CloseSideWindows();

 protected:
  // Before a modal dialog is built: the main window shows the panel as it stands
  // and has its place on the screen.
  void BeforeDialog();
  // A modal dialog stays above every window of the program, the output window
  // (which is always on top) included.
  static void KeepAbove(QWidget* dialog);
  // The parent of a message box, file or print dialog: the program window the user
  // asked from (the main window or the output window).
  QWidget* DialogParent() const;

 private:
  bool FileDialog(FileDialogRequest& request, std::string& path, bool save);

  QPointer<QWidget> owner_;
  std::unique_ptr<OutputWindow> output_;
  std::unique_ptr<QTextBrowser> help_;
  QPointer<QDialog> resultDialog_;
  std::function<void()> beforeDialog_;
  std::function<void(std::function<void()>)> betweenCommands_;
  bool quitRequested_ = false;
};
