// The seam between the core and the desktop. The Qt layer implements it for the
// real program, the headless layer for tests and kelvarin-cli.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/print_job.h"

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

// The two values the Preferences dialog edits.
struct PreferenceValues {
  int sigDigits = 3;          // decimals shown, 0..6 (the list offers " 0" .. " 6")
  bool openLastFile = false;  // "Open last file saved"
};

// What the About box shows. Its two links are opened through Platform::OpenUrl by
// AboutLinkClicked (output/about_box.h).
struct AboutBoxContent {
  std::string caption;       // "About Velmora"
  std::string title;         // "Kelvarin"
  std::string subtitle;      // " for Linux"
  std::string version;       // "1.2.3"
  std::string credits;       // the author's name
  std::string emailAddress;  // shown as the e-mail link
  std::string webAddress;    // shown as the web link
};

// Which viewer shows help: the desktop's default viewer for the data folder's help
// file, or the program's own help window for its HTML help page.
enum class HelpViewer : int { Desktop = 0, HelpWindow = 1 };

struct FileDialogRequest {
  std::string title;
  std::string initialName;
  std::string folder;
  std::string filter;  // parts separated by '|'
  std::string defaultExtension;
  unsigned flags = 0;
};

// The "Add Profile" dialog. It lists the families, and the sizes of the family
// chosen; dimensions(family, size) gives the lines it shows for a size.
struct ProfileDialogFamily {
  std::string name;      // "IPE"
  std::string standard;  // "EN 10365 (dimensions of DIN 1025-5)"
  std::string units;     // the family's own: "mm" or "in"
  std::vector<std::string> sizes;  // "IPE 300"
};
struct ProfileRequest {
  std::vector<ProfileDialogFamily> families;
  std::function<std::vector<std::string>(int family, int size)> dimensions;
  // Shown first, and the user's choice after Ok: indexes into families and its
  // sizes, where the centre of the profile's bounding box goes, the turn in degrees
  // (0, 90, 180 or 270) and the units ("mm", "cm", "m" or "in"; "" for the family's
  // own).
  int family = 0, size = 0;
  double x = 0, y = 0;
  int turn = 0;
  std::string units;
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
  // A modal list under a prompt, its first item chosen, with Ok and Cancel: the
  // index of the item chosen with Ok (or a double click), -1 when cancelled or
  // closed.
  virtual int ChooseFromList(const std::string& caption, const std::string& prompt,
                             const std::vector<std::string>& items) = 0;

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
  // The folder of the running program, ending in '/'; "" when unknown. The HTML
  // help page is looked for under share/kelvarin/ beside it.
  virtual std::string ProgramFolder() = 0;

  // The modal "Preferences" dialog, opened with the values in force. True (with
  // the chosen values) for Ok; false, values untouched, when closed otherwise.
  virtual bool ShowPreferencesDialog(PreferenceValues& values) = 0;
  // The modal "Add Profile" dialog: true, with the choice in request, for Ok.
  virtual bool AddProfileDialog(ProfileRequest& request) = 0;
  // The modal About box; returns when it is closed. A click on a link calls
  // AboutLinkClicked and leaves the box open.
  virtual void ShowAboutBox(const AboutBoxContent& content) = 0;
  // Shows a help file or page (path) in the viewer named; returns at once.
  virtual void ShowHelp(const std::string& path, HelpViewer viewer) = 0;
  // Hands a mail or web address to the desktop ("mailto:..." or "https://...").
  // A failure is ignored.
  virtual void OpenUrl(const std::string& url) = 0;
  // The close protocol (SystemClose, app/dispatch.h) has agreed, after closing the
  // output window and removing the keyboard hook: the main window goes and the
  // program ends once the current command returns. The window's own close that
  // follows must not run the protocol a second time.
  virtual void QuitProgram() = 0;

  // Printing. The installed printers' names in the platform's order (a "Print to
  // PDF" entry ends the list where the platform writes PDF files), and the name of
  // the default printer ("" when there is none).
  virtual std::vector<std::string> PrinterNames() = 0;
  virtual std::string DefaultPrinterName() = 0;
  // The modal "Choose Printer" dialog over names with entry `preselected` chosen
  // (-1 for none): the name chosen with Ok, or "" when it was closed otherwise.
  virtual std::string ChoosePrinterDialog(const std::vector<std::string>& names,
                                          int preselected) = 0;
  // The platform's own print dialog: the chosen printer's name, "" when cancelled.
  virtual std::string PlatformPrintDialog() = 0;
  // Attaches the printer by name and starts a job; a PDF file name (not empty)
  // sends the job to that file instead. Null when the printer cannot be attached.
  virtual std::unique_ptr<PrintJob> StartPrintJob(const std::string& printerName,
                                                  const std::string& pdfFile) = 0;

  // The surface the view draws on: the window's GraphicView, or an offscreen
  // picture while one is being made; null when there is no view.
  Canvas* ViewCanvas() const { return viewCanvas_; }
  void SetViewCanvas(Canvas* canvas) { viewCanvas_ = canvas; }

  // The message beep of an icon kind (0 plain, 16, 32, 48, 64).
  virtual void Beep(int kind) = 0;

  // Runs work on a worker thread, then done on the main thread between commands.
  // The window stays usable meanwhile; when the work takes longer than about 0.2 s
  // the platform shows that title is being worked out, with a Cancel that drops the
  // result (done is not called). work must touch no program state; done may.
  // Headless, work and done run at once.
  virtual void RunInBackground(const std::string& title, std::function<void()> work,
                               std::function<void()> done) = 0;

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
