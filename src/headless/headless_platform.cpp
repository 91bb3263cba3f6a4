#include "headless/headless_platform.h"

#include "output/output_window.h"

HeadlessPlatform::HeadlessPlatform(std::string appDataFolder) : appData_(std::move(appDataFolder)) {
  if (!appData_.empty() && appData_.back() != '/') appData_ += '/';
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

std::vector<std::string> MessageDialogButtons(int style) {
  switch (style % 16) {
    case MsgOkCancel: return {"&Ok", "&Cancel"};
    case MsgYesNoCancel: return {"&Yes", "&No", "Cancel"};
    case MsgYesNo: return {"&Yes", "&No"};
    default: return {"&Ok"};
  }
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

// The platform's own box: Ok only, Ok/Cancel, Yes/No/Cancel or Yes/No. Its close box
// gives Cancel where there is one, Ok for a lone Ok, and No for Yes/No.
int HeadlessPlatform::MessageBox(const std::string& text, const std::string& caption, int style) {
  PlatformEvent e = MakeEvent(PlatformEvent::MessageBox, caption, text, style);
  int set = style % 16;
  e.buttons = set == MsgOkCancel     ? std::vector<std::string>{"OK", "Cancel"}
              : set == MsgYesNoCancel ? std::vector<std::string>{"Yes", "No", "Cancel"}
              : set == MsgYesNo       ? std::vector<std::string>{"Yes", "No"}
                                      : std::vector<std::string>{"OK"};
  int closeResult = set == MsgOkCancel || set == MsgYesNoCancel ? ResultCancel
                    : set == MsgYesNo                           ? ResultNo
                                                                : ResultOk;
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  e.answer = AnswerWord(a.kind);
  switch (a.kind) {
    case DialogAnswer::Yes: e.result = ResultYes; break;
    case DialogAnswer::No: e.result = ResultNo; break;
    case DialogAnswer::Ok: e.result = ResultOk; break;
    case DialogAnswer::Cancel: e.result = ResultCancel; break;
    default: e.result = closeResult; break;
  }
  int r = e.result;
  Record(std::move(e));
  return r;
}

// The program's own dialog: Yes and a set-1 Ok give 6, a set-0 Ok gives 1, No gives 7,
// the Cancel button gives 7 in set 1 and 2 in set 3; Escape and the close box give 7.
int HeadlessPlatform::MessageDialog(const std::string& message, int style,
                                    const std::string& title, bool beep, int, int) {
  PlatformEvent e = MakeEvent(PlatformEvent::MessageDialog, title, message, style);
  e.buttons = MessageDialogButtons(style);
  int set = style % 16;
  if (set != MsgOkCancel && set != MsgYesNoCancel && set != MsgYesNo) set = MsgOk;
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  e.answer = AnswerWord(a.kind);
  switch (a.kind) {
    case DialogAnswer::Yes: e.result = ResultYes; break;
    case DialogAnswer::Ok: e.result = set == MsgOk ? ResultOk : ResultYes; break;
    case DialogAnswer::Cancel: e.result = set == MsgYesNoCancel ? ResultCancel : ResultNo; break;
    default: e.result = ResultNo; break;
  }
  int r = e.result;
  Record(std::move(e));
  if (beep) Beep(style - style % 16);
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
  PlatformEvent e = MakeEvent(kind, request.title, request.initialName, static_cast<int>(request.flags));
  e.folder = request.folder;
  e.filter = request.filter;
  e.defaultExtension = request.defaultExtension;
  DialogAnswer a{DialogAnswer::Close, ""};
  e.answered = TakeAnswer(a);
  bool chosen = a.kind == DialogAnswer::File && !a.text.empty();
  path = chosen ? a.text : "";
  e.answer = path;
  Record(std::move(e));
  return chosen;
}

bool HeadlessPlatform::OpenFileDialog(FileDialogRequest& request, std::string& path) {
  return FileDialog(PlatformEvent::OpenFileDialog, request, path);
}

bool HeadlessPlatform::SaveFileDialog(FileDialogRequest& request, std::string& path) {
  return FileDialog(PlatformEvent::SaveFileDialog, request, path);
}

void HeadlessPlatform::Beep(int kind) {
  PlatformEvent e = MakeEvent(PlatformEvent::Beep);
  e.style = kind;
  Record(std::move(e));
}
