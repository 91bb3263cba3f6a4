// The scripted platform of tests and kelvarin-cli: every call is recorded, dialogs
// take their answers from a queue, and an unanswered dialog is closed.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

struct DialogAnswer {
  enum Kind { Yes, No, Ok, Cancel, Close, Text, File };
  Kind kind = Close;
  std::string text = {};  // for Text and File
};

struct PlatformEvent {
  enum Kind {
    MessageBox,
    MessageDialog,
    InputDialog,
    OutputWindow,
    ResultDialog,
    OpenFileDialog,
    SaveFileDialog,
    Beep,
    Preferences,
    AboutBox,
    Help,
    OpenUrl,
    Quit,
    ChoosePrinter,
    PrintDialog,
    PrintJob,
    ChooseFromList,
    AddProfile,
  };
  Kind kind = MessageBox;
  std::string caption;
  std::string text;                // message, prompt, or initial file name
  int style = 0;                   // message style, or file dialog flags
  std::vector<std::string> buttons;  // captions left to right (message dialogs)
  bool answered = false;           // false: closed for lack of a queued answer
  std::string answer;              // the button word, typed text or chosen path
  int result = 0;                  // numeric result of a message box or dialog
  int width = 0, height = 0;       // output window size
  std::vector<std::string> lines;  // output window or result dialog lines
  std::string folder, filter, defaultExtension;  // file dialogs
  PreferenceValues prefsShown, prefsChosen;      // Preferences: opened with, Ok gave
  int pages = 0;  // a print job's pages; lines holds its texts, in order
};

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(std::string appDataFolder = "");

  // The folder ProgramFolder() reports ("" by default: no help page installed).
  void SetProgramFolder(std::string folder);
  // QuitProgram() has been called since the platform was made or reset.
  bool QuitRequested() const { return quit_; }

  // The printers PrinterNames() lists and the default one (none by default). A job
  // on one of them draws on recording canvases and is recorded when it finishes.
  void SetPrinters(std::vector<std::string> names, std::string defaultName);

  void QueueAnswer(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
  const std::vector<PlatformEvent>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  // Called with each event as it is recorded (kelvarin-cli prints them).
  void SetListener(std::function<void(const PlatformEvent&)> listener) {
    listener_ = std::move(listener);
  }
  std::size_t PendingAnswers() const { return answers_.size(); }
  void ClearAnswers() { answers_.clear(); }
  // Forgets queued answers and recorded events: the platform as when it was made.
  void Reset() {
    answers_.clear();
    events_.clear();
    quit_ = false;
  }

  MessageResult MessageBox(const std::string& text, const std::string& caption,
                          MessageStyle style) override;
  MessageResult MessageDialog(const std::string& message, MessageStyle style,
                              const std::string& title, bool beep, int x, int y) override;
  std::string InputDialog(const std::string& prompt, const std::string& title,
                          const std::string& defaultAnswer) override;
  // Ok or Yes takes the first item; Text "N" the N-th (from 1) or the item whose
  // text it is; anything else, or none queued, cancels. Recorded with the prompt in
  // text, the items in lines, the index in result and the item in answer.
  int ChooseFromList(const std::string& caption, const std::string& prompt,
                     const std::vector<std::string>& items) override;
  void ShowOutputWindow(int width, int height, const std::string& title) override;
  void CloseOutputWindow() override {}
  void ShowResultDialog(const std::string& caption, const std::vector<std::string>& lines) override;
  // A headless result dialog is closed as soon as it is recorded.
  void CloseResultDialog() override {}
  bool OpenFileDialog(FileDialogRequest& request, std::string& path) override;
  bool SaveFileDialog(FileDialogRequest& request, std::string& path) override;
  std::vector<std::string> PrinterNames() override { return printers_; }
  std::string DefaultPrinterName() override { return defaultPrinter_; }
  std::string ChoosePrinterDialog(const std::vector<std::string>& names, int preselected) override;
  std::string PlatformPrintDialog() override;
  std::unique_ptr<PrintJob> StartPrintJob(const std::string& printerName,
                                          const std::string& pdfFile) override;
  std::string AppDataFolder() override { return appData_; }
  std::string ProgramFolder() override { return programFolder_; }
  // Answers: Text "D" or "D,F" is Ok with D decimals (0..6) and the flag F (0 or 1,
  // unchanged when left out); Ok or Yes is Ok with the values unchanged; anything
  // else, or a text that the dialog could not hold, closes it.
  bool ShowPreferencesDialog(PreferenceValues& values) override;
  // Answers: Ok or Yes adds the size shown; Text "NAME", "NAME|X,Y", "NAME|X,Y|TURN" or
  // "NAME|X,Y|TURN|UNITS" (NAME as the lists write it, case and blanks aside) adds
  // that one; anything else, or a text the dialog could not hold, closes it.
  // Recorded with the families in lines and the choice in answer.
  bool AddProfileDialog(ProfileRequest& request) override;
  // Recorded with its texts; then each queued Text answer "email" or "web" clicks
  // that link, and the first other answer (or none left) closes the box.
  void ShowAboutBox(const AboutBoxContent& content) override;
  void ShowHelp(const std::string& path, HelpViewer viewer) override;
  void OpenUrl(const std::string& url) override;
  void QuitProgram() override;
  void Beep(int kind) override;
  void RunInBackground(const std::string& title, std::function<void()> work,
                       std::function<void()> done) override;

 private:
  bool TakeAnswer(DialogAnswer& answer);
  void Record(PlatformEvent event);
  bool FileDialog(PlatformEvent::Kind kind, FileDialogRequest& request, std::string& path);

  std::string appData_;
  std::string programFolder_;
  bool quit_ = false;
  std::deque<DialogAnswer> answers_;
  std::vector<std::string> printers_;
  std::string defaultPrinter_;
  std::vector<PlatformEvent> events_;
  std::function<void(const PlatformEvent&)> listener_;
};

// Button captions of a message style, as the message dialog shows them.
std::vector<std::string> MessageDialogButtons(MessageStyle style);
// The result a message box (the platform's) or the program's MessageDialog gives
// for an answer; Close stands for Escape or the close box.
MessageResult MessageBoxResult(MessageStyle style, DialogAnswer::Kind answer);
MessageResult MessageDialogResult(MessageStyle style, DialogAnswer::Kind answer);
// A chosen file name as a file dialog returns it: with the default extension
// added when the name has none.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);
// The word of an answer kind ("yes", "no", "ok", "cancel", "close", "text", "file").
const char* AnswerWord(DialogAnswer::Kind kind);
