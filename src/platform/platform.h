// The seam between the core and the desktop. The Qt layer implements it for the
// real program, the headless layer for tests and kelvarin-cli.
#pragma once

#include <string>
#include <vector>

class Canvas;

// Style values of message boxes: the button set in the low four bits plus an icon.
enum MessageStyle : int {
  MsgOk = 0,
  MsgOkCancel = 1,
  MsgYesNoCancel = 3,
  MsgYesNo = 4,
  MsgIconError = 16,
  MsgIconQuestion = 32,
  MsgIconWarning = 48,
  MsgIconInformation = 64,
};
constexpr MessageStyle operator|(MessageStyle a, MessageStyle b) {
  return static_cast<MessageStyle>(static_cast<int>(a) | static_cast<int>(b));
}
// The button set (low four bits) and the icon of a style.
constexpr int ButtonSetOf(MessageStyle style) { return style % 16; }
constexpr int IconOf(MessageStyle style) { return style - style % 16; }

// Results of message boxes and of MessageDialog.
enum MessageResult : int { ResultOk = 1, ResultCancel = 2, ResultYes = 6, ResultNo = 7 };

// Flags of the file dialogs, with the values the common dialogs use.
enum FileDialogFlag : unsigned {
  OfnOverwritePrompt = 0x2,
  OfnHideReadOnly = 0x4,
  OfnExtensionDifferent = 0x400,
  OfnFileMustExist = 0x1000,
  OfnCreatePrompt = 0x2000,
  OfnLongNames = 0x200000,
};

struct FileDialogRequest {
  std::string title;
  std::string initialName;
  std::string folder;
  std::string filter;  // parts separated by '|'
  std::string defaultExtension;
  unsigned flags = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The platform's own message box; returns a MessageResult.
  virtual MessageResult MessageBox(const std::string& text, const std::string& caption,
                                  MessageStyle style) = 0;
  // The program's own message dialog; returns 1, 2, 6 or 7 as its button set says.
  virtual MessageResult MessageDialog(const std::string& message, MessageStyle style,
                                      const std::string& title, bool beep, int x, int y) = 0;
  // One-line question; the typed text, or "" when cancelled.
  virtual std::string InputDialog(const std::string& prompt, const std::string& title,
                                  const std::string& defaultAnswer) = 0;

  // Shows the lines of the output store (output/output_window.h). Returns at once;
  // the platform calls OutputWindowClosed() when the window goes.
  virtual void ShowOutputWindow(int width, int height, const std::string& title) = 0;
  // Closes the output window if the platform still shows one.
  virtual void CloseOutputWindow() = 0;

  // A modal result dialog without buttons (caption, one label per line), closed by
  // its close box: the "Property Calculations" dialog.
  virtual void ShowResultDialog(const std::string& caption,
                                const std::vector<std::string>& lines) = 0;
  // Closes the result dialog if one is shown (Esc in the keyboard hook).
  virtual void CloseResultDialog() = 0;

  // File dialogs: true when the user chose a file; path receives it.
  virtual bool OpenFileDialog(FileDialogRequest& request, std::string& path) = 0;
  virtual bool SaveFileDialog(FileDialogRequest& request, std::string& path) = 0;

  // The user's application-data folder, ending in '/'; "" when unknown.
  virtual std::string AppDataFolder() = 0;

  // The surface the view draws on: the window's GraphicView, or an offscreen
  // picture while one is being made; null when there is no view.
  Canvas* ViewCanvas() const { return viewCanvas_; }
  void SetViewCanvas(Canvas* canvas) { viewCanvas_ = canvas; }

  // The message beep of an icon kind (0 plain, 16, 32, 48, 64).
  virtual void Beep(int kind) = 0;

 private:
  Canvas* viewCanvas_ = nullptr;
};

// The implementation in force; set once by each main and by test fixtures.
void SetPlatform(Platform* platform);
Platform& GetPlatform();

// Shorthands for the calls the core makes most.
MessageResult PlatformMessageBox(const std::string& text, const std::string& caption,
                                 MessageStyle style);
MessageResult MessageDialog(const std::string& message, MessageStyle style,
                            const std::string& title, bool beep = false, int x = 0, int y = 0);
std::string InputDialog(const std::string& prompt, const std::string& title,
                        const std::string& defaultAnswer = "");
