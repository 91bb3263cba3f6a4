#include "headless/headless_platform.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "output/about_box.h"
#include "files/profile_catalogue.h"
#include "files/profile_sections.h"
#include "headless/recording_print_job.h"
#include "output/dialog_layout.h"
#include "output/output_window.h"
#include "util/text.h"

HeadlessPlatform::HeadlessPlatform(std::string appDataFolder) : appData_(std::move(appDataFolder)) {
  if (!appData_.empty() && appData_.back() != '/') appData_ += '/';
}

void HeadlessPlatform::SetProgramFolder(std::string folder) {
  programFolder_ = std::move(folder);
  if (!programFolder_.empty() && programFolder_.back() != '/') programFolder_ += '/';
}

const char* AnswerWord(DialogAnswer::Kind kind) {
  switch (kind) {
    case DialogAnswer::Yes: return "yes";
    case DialogAnswer::No: return "no";
    case DialogAnswer::Ok: return "ok";
    case DialogAnswer::Cancel: return "cancel";
    case DialogAnswer::Close: return "close";
    case DialogAnswer::Text: return "text";
    case DialogAnswer::File: return "file";
  }
  return "?";
}

std::vector<std::string> MessageDialogButtons(MessageStyle style) {
  std::vector<std::string> captions;
  for (const MessageDialogButtonKind& b : MessageDialogButtonSet(style)) captions.push_back(b.caption);
  return captions;
}

namespace {
PlatformEvent MakeEvent(PlatformEvent::Kind kind, std::string caption = "", std::string text = "",
                        int style = 0) {
  PlatformEvent e;
  e.kind = kind;
  e.caption = std::move(caption);
  e.text = std::move(text);
  e.style = style;
  return e;
}
}  // namespace

bool HeadlessPlatform::TakeAnswer(DialogAnswer& answer) {
  if (answers_.empty()) return false;
  answer = answers_.front();
  answers_.pop_front();
  return true;
}

void HeadlessPlatform::Record(PlatformEvent event) {
  events_.push_back(std::move(event));
  if (listener_) listener_(events_.back());
}

MessageResult MessageBoxResult(MessageStyle style, DialogAnswer::Kind answer) {
  const bool confirm = answer == DialogAnswer::Ok || answer == DialogAnswer::Yes;
  switch (ButtonSetOf(style)) {
    case MsgOkCancel:
      return confirm ? ResultOk : ResultCancel;
    case MsgYesNoCancel:
      return confirm ? ResultYes : answer == DialogAnswer::No ? ResultNo : ResultCancel;
    case MsgYesNo:  // no close box: anything but Yes is No
      return confirm ? ResultYes : ResultNo;
    default:  // a lone OK: Enter, Escape and the close box all give OK
      return ResultOk;
  }
}

MessageResult MessageDialogResult(MessageStyle style, DialogAnswer::Kind answer) {
  switch (answer) {
    case DialogAnswer::Ok:
    case DialogAnswer::Yes:
      return MessageDialogButtonSet(style).front().result;  // the default button
    case DialogAnswer::No: return MessageDialogAnswer(style, "No");
    case DialogAnswer::Cancel: return MessageDialogAnswer(style, "Cancel");
    default: return MessageDialogEscapeResult;
  }
}

// The platform's own box: OK, OK/Cancel, Yes/No/Cancel or Yes/No.
MessageResult HeadlessPlatform::MessageBox(const std::string& text, const std::string& caption,
                                           MessageStyle style) {
  PlatformEvent e = MakeEvent(PlatformEvent::MessageBox, caption, text, style);
  const int set = ButtonSetOf(style);
  e.buttons = set == MsgOkCancel     ? std::vector<std::string>{"OK", "Cancel"}
              : set == MsgYesNoCancel ? std::vector<std::string>{"Yes", "No", "Cancel"}
              : set == MsgYesNo       ? std::vector<std::string>{"Yes", "No"}
                                      : std::vector<std::string>{"OK"};
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  e.answer = AnswerWord(a.kind);
  e.result = MessageBoxResult(style, a.kind);
  const MessageResult r = static_cast<MessageResult>(e.result);
  Record(std::move(e));
  return r;
}

// The program's own dialog: its button sets give 1 (a lone Ok), 6 and 7, and 2 only
// for the Cancel button of set 3; Escape and the close box give 7.
MessageResult HeadlessPlatform::MessageDialog(const std::string& message, MessageStyle style,
                                              const std::string& title, bool beep, int, int) {
  PlatformEvent e = MakeEvent(PlatformEvent::MessageDialog, title, message, style);
  e.buttons = MessageDialogButtons(style);
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  e.answer = AnswerWord(a.kind);
  e.result = MessageDialogResult(style, a.kind);
  const MessageResult r = static_cast<MessageResult>(e.result);
  Record(std::move(e));
  if (beep) Beep(IconOf(style));
  return r;
}

std::string HeadlessPlatform::InputDialog(const std::string& prompt, const std::string& title,
                                          const std::string& defaultAnswer) {
  PlatformEvent e = MakeEvent(PlatformEvent::InputDialog, title, prompt);
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  std::string text;
  if (a.kind == DialogAnswer::Text) {
    text = a.text;
  } else if (a.kind == DialogAnswer::Ok || a.kind == DialogAnswer::Yes) {
    text = defaultAnswer;  // confirmed without typing
  }
  e.answer = text;
  Record(std::move(e));
  return text;
}

int HeadlessPlatform::ChooseFromList(const std::string& caption, const std::string& prompt,
                                     const std::vector<std::string>& items) {
  PlatformEvent e = MakeEvent(PlatformEvent::ChooseFromList, caption, prompt);
  e.lines = items;
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  int chosen = -1;
  if ((a.kind == DialogAnswer::Ok || a.kind == DialogAnswer::Yes) && !items.empty()) {
    chosen = 0;
  } else if (a.kind == DialogAnswer::Text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i] == a.text || std::to_string(i + 1) == a.text) chosen = static_cast<int>(i);
    }
  }
  e.result = chosen;
  e.answer = chosen >= 0 ? items[chosen] : "";
  Record(std::move(e));
  return chosen;
}

// The headless output window is closed as soon as it has been recorded, like a
// window the user looked at and closed.
void HeadlessPlatform::ShowOutputWindow(int width, int height, const std::string& title) {
  PlatformEvent e = MakeEvent(PlatformEvent::OutputWindow, title);
  e.width = width;
  e.height = height;
  e.lines = Output.lines;
  Record(std::move(e));
  OutputWindowClosed();
}

void HeadlessPlatform::ShowResultDialog(const std::string& caption,
                                        const std::vector<std::string>& lines) {
  PlatformEvent e = MakeEvent(PlatformEvent::ResultDialog, caption);
  e.lines = lines;
  Record(std::move(e));
}

bool HeadlessPlatform::FileDialog(PlatformEvent::Kind kind, FileDialogRequest& request,
                                  std::string& path) {
  // Each queued File answer is one choice in the dialog; a Save dialog that asks
  // about replacing a file stays open after No and takes the next choice.
  for (;;) {
    PlatformEvent e = MakeEvent(kind, request.title, request.initialName, static_cast<int>(request.flags));
    e.folder = request.folder;
    e.filter = request.filter;
    e.defaultExtension = request.defaultExtension;
    DialogAnswer a{DialogAnswer::Close, ""};
    e.answered = TakeAnswer(a);
    const bool chosen = a.kind == DialogAnswer::File && !a.text.empty();
    path = chosen ? WithDefaultExtension(a.text, request.defaultExtension) : "";
    e.answer = path;
    Record(std::move(e));
    if (!chosen) return false;
    std::error_code error;
    if (kind != PlatformEvent::SaveFileDialog || !(request.flags & OfnOverwritePrompt) ||
        !std::filesystem::exists(path, error)) {
      return true;
    }
    const std::string name = std::filesystem::path(path).filename().string();
    if (MessageBox(name + " already exists.\nDo you want to replace it?", request.title,
                   MsgYesNo | MsgIconWarning) == ResultYes) {
      return true;
    }
  }
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  if (extension.empty()) return path;
  const std::filesystem::path p(path);
  if (p.has_extension() || !p.has_filename()) return path;
  return path + "." + extension;
}

bool HeadlessPlatform::OpenFileDialog(FileDialogRequest& request, std::string& path) {
  return FileDialog(PlatformEvent::OpenFileDialog, request, path);
}

bool HeadlessPlatform::SaveFileDialog(FileDialogRequest& request, std::string& path) {
  return FileDialog(PlatformEvent::SaveFileDialog, request, path);
}

namespace {

// "D" or "D,F" with D in 0..6 and F 0 or 1; false for anything else.
bool ParsePreferencesAnswer(const std::string& text, PreferenceValues& values) {
  if (text.empty() || text[0] < '0' || text[0] > '6') return false;
  PreferenceValues v = values;
  v.sigDigits = text[0] - '0';
  if (text.size() == 3 && text[1] == ',' && (text[2] == '0' || text[2] == '1')) {
    v.openLastFile = text[2] == '1';
  } else if (text.size() != 1) {
    return false;
  }
  values = v;
  return true;
}

}  // namespace

bool HeadlessPlatform::ShowPreferencesDialog(PreferenceValues& values) {
  PlatformEvent e = MakeEvent(PlatformEvent::Preferences, "Preferences");
  e.prefsShown = values;
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  PreferenceValues chosen = values;
  bool ok = a.kind == DialogAnswer::Ok || a.kind == DialogAnswer::Yes ||
            (a.kind == DialogAnswer::Text && ParsePreferencesAnswer(a.text, chosen));
  e.answer = a.kind == DialogAnswer::Text ? a.text : AnswerWord(a.kind);
  e.result = ok ? ResultOk : ResultCancel;
  e.prefsChosen = ok ? chosen : values;
  Record(std::move(e));
  if (ok) values = chosen;
  return ok;
}

namespace {

// The shortest text that reads back as v.
std::string FormatNumber(double v) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

// "NAME|X,Y|TURN|UNITS", the later fields optional, into the request; false, the
// request untouched, for a name no family has or a field the dialog could not hold.
bool ParseProfileAnswer(const std::string& text, ProfileRequest& request) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
    fields.push_back(TrimBlanks(text.substr(start, bar - start)));
  fields.push_back(TrimBlanks(text.substr(start)));
  if (fields.size() > 4) return false;
  ProfileRequest r = request;
  bool found = false;
  for (std::size_t f = 0; f < r.families.size() && !found; ++f)
    for (std::size_t k = 0; k < r.families[f].sizes.size() && !found; ++k)
      if (ProfileKey(r.families[f].sizes[k]) == ProfileKey(fields[0])) {
        r.family = static_cast<int>(f);
        r.size = static_cast<int>(k);
        found = true;
      }
  if (!found) return false;
  if (fields.size() > 1 && !ReadProfilePoint(fields[1], r.x, r.y)) return false;
  if (fields.size() > 2) {
    if (fields[2] != "0" && fields[2] != "90" && fields[2] != "180" && fields[2] != "270") return false;
    r.turn = std::stoi(fields[2]);
  }
  LengthUnit units;
  if (fields.size() > 3) {
    if (!ReadLengthUnit(fields[3], units)) return false;
    r.units = LengthUnitText(units);
  }
  request = std::move(r);
  return true;
}

}  // namespace

bool HeadlessPlatform::AddProfileDialog(ProfileRequest& request) {
  PlatformEvent e = MakeEvent(PlatformEvent::AddProfile, "Add Profile");
  for (const ProfileDialogFamily& family : request.families) e.lines.push_back(family.name);
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  ProfileRequest chosen = request;
  const bool valid = chosen.family >= 0 && chosen.family < static_cast<int>(chosen.families.size()) &&
                     chosen.size >= 0 &&
                     chosen.size < static_cast<int>(chosen.families[chosen.family].sizes.size());
  const bool ok = ((a.kind == DialogAnswer::Ok || a.kind == DialogAnswer::Yes) && valid) ||
                  (a.kind == DialogAnswer::Text && ParseProfileAnswer(a.text, chosen));
  e.result = ok ? ResultOk : ResultCancel;
  if (ok) {
    const ProfileDialogFamily& family = chosen.families[chosen.family];
    e.answer = family.sizes[chosen.size] + " at " + FormatNumber(chosen.x) + ", " +
               FormatNumber(chosen.y) + ", turned " + std::to_string(chosen.turn) + ", in " +
               (chosen.units.empty() ? family.units : chosen.units);
    request = std::move(chosen);
  } else {
    e.answer = a.kind == DialogAnswer::Text ? a.text : AnswerWord(a.kind);
  }
  Record(std::move(e));
  return ok;
}

void HeadlessPlatform::ShowAboutBox(const AboutBoxContent& content) {
  PlatformEvent e = MakeEvent(PlatformEvent::AboutBox, content.caption);
  e.lines = {content.title, content.subtitle, content.version, content.credits,
             content.emailAddress, content.webAddress};
  Record(std::move(e));
  DialogAnswer a;
  while (TakeAnswer(a)) {
    if (a.kind != DialogAnswer::Text || (a.text != "email" && a.text != "web")) break;
    AboutLinkClicked(content, a.text == "email" ? AboutLink::Email : AboutLink::Web);
  }
}

void HeadlessPlatform::ShowHelp(const std::string& path, HelpViewer viewer) {
  Record(MakeEvent(PlatformEvent::Help, "", path, static_cast<int>(viewer)));
}

void HeadlessPlatform::OpenUrl(const std::string& url) {
  Record(MakeEvent(PlatformEvent::OpenUrl, "", url));
}

void HeadlessPlatform::QuitProgram() {
  quit_ = true;
  Record(MakeEvent(PlatformEvent::Quit));
}

void HeadlessPlatform::RunInBackground(const std::string&, std::function<void()> work,
                                       std::function<void()> done) {
  work();
  done();
}

void HeadlessPlatform::Beep(int kind) {
  PlatformEvent e = MakeEvent(PlatformEvent::Beep);
  e.style = kind;
  Record(std::move(e));
}

void HeadlessPlatform::SetPrinters(std::vector<std::string> names, std::string defaultName) {
  printers_ = std::move(names);
  defaultPrinter_ = std::move(defaultName);
}

// Ok takes the preselected entry, "answer text NAME" the entry of that name.
std::string HeadlessPlatform::ChoosePrinterDialog(const std::vector<std::string>& names,
                                                  int preselected) {
  PlatformEvent e = MakeEvent(PlatformEvent::ChoosePrinter, "Choose Printer");
  e.lines = names;
  e.result = preselected;
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  std::string chosen;
  if ((a.kind == DialogAnswer::Ok || a.kind == DialogAnswer::Yes) && preselected >= 0 &&
      preselected < static_cast<int>(names.size())) {
    chosen = names[preselected];
  } else if (a.kind == DialogAnswer::Text) {
    for (const std::string& n : names)
      if (n == a.text) chosen = n;
  }
  e.answer = chosen;
  Record(std::move(e));
  return chosen;
}

std::string HeadlessPlatform::PlatformPrintDialog() {
  PlatformEvent e = MakeEvent(PlatformEvent::PrintDialog, "Print");
  e.lines = printers_;
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  std::string chosen;
  if (a.kind == DialogAnswer::Ok || a.kind == DialogAnswer::Yes) chosen = defaultPrinter_;
  if (a.kind == DialogAnswer::Text) chosen = a.text;
  e.answer = chosen;
  Record(std::move(e));
  return chosen;
}


std::unique_ptr<PrintJob> HeadlessPlatform::StartPrintJob(const std::string& printerName,
                                                          const std::string& pdfFile) {
  bool known = false;
  for (const std::string& n : printers_) known = known || n == printerName;
  if (!known) return nullptr;
  return std::make_unique<RecordingPrintJob>(printerName, pdfFile, [this](const RecordingPrintJob& job) {
    PlatformEvent e;
    e.kind = PlatformEvent::PrintJob;
    e.caption = job.PrinterName();
    e.text = job.PdfFile();
    e.pages = static_cast<int>(job.Pages().size());
    for (const RecordingCanvas& page : job.Pages())
      for (const std::string& t : page.Texts()) e.lines.push_back(t);
    Record(std::move(e));
  });
}
