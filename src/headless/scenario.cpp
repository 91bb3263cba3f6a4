#include "headless/scenario.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/window_actions.h"
#include "construct/panel_items.h"
#include "headless/headless_platform.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "headless/recording_canvas.h"
#include "construct/input_text.h"
#include "util/text.h"

namespace {

// The working folder with its separator: paths under it are shown relative, so
// that a run prints the same wherever its folder is.
const std::string& WorkingFolderPrefix() {
  static const std::string prefix = [] {
    std::error_code error;
    std::string cwd = std::filesystem::current_path(error).string();
    return error || cwd.empty() || cwd == "/" ? std::string() : cwd + "/";
  }();
  return prefix;
}

std::string RelativePaths(const std::string& s) {
  const std::string& prefix = WorkingFolderPrefix();
  if (prefix.empty()) return s;
  std::string out;
  std::size_t from = 0;
  for (std::size_t at; (at = s.find(prefix, from)) != std::string::npos; from = at + prefix.size())
    out += s.substr(from, at - from);
  return out + s.substr(from);
}

// A text in double quotes with its control characters written as escapes.
std::string Quote(const std::string& raw) {
  const std::string s = RelativePaths(raw);
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 32) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\x%02x", static_cast<unsigned char>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

const char* IconName(int style) {
  switch (style - style % 16) {
    case 16: return "error";
    case 32: return "question";
    case 48: return "warning";
    case 64: return "information";
    default: return "no icon";
  }
}

std::string Join(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : " ") + Quote(w);
  return out;
}

std::string AnswerText(const PlatformEvent& e) {
  return e.answered ? "answer " + e.answer : "no answer queued: closed";
}

}  // namespace

void PrintScenarioEvent(const PlatformEvent& e) {
  switch (e.kind) {
    case PlatformEvent::MessageBox:
    case PlatformEvent::MessageDialog:
      std::printf("%s %s %s [%s]: %s -> %s, result %d\n",
                  e.kind == PlatformEvent::MessageBox ? "message box" : "message dialog",
                  Quote(e.caption).c_str(), IconName(e.style), Join(e.buttons).c_str(),
                  Quote(e.text).c_str(), AnswerText(e).c_str(), e.result);
      break;
    case PlatformEvent::InputDialog:
      std::printf("input dialog %s: %s -> %s, text %s\n", Quote(e.caption).c_str(),
                  Quote(e.text).c_str(), e.answered ? "answered" : "no answer queued: closed",
                  Quote(e.answer).c_str());
      break;
    case PlatformEvent::OutputWindow:
    case PlatformEvent::ResultDialog:
      if (e.kind == PlatformEvent::OutputWindow) {
        std::printf("output window %s %dx%d, %zu lines\n", Quote(e.caption).c_str(), e.width,
                    e.height, e.lines.size());
      } else {
        std::printf("result dialog %s, %zu lines\n", Quote(e.caption).c_str(), e.lines.size());
      }
      for (const std::string& line : e.lines) std::printf("| %s\n", line.c_str());
      break;
    case PlatformEvent::OpenFileDialog:
    case PlatformEvent::SaveFileDialog:
      std::printf("%s %s: folder %s, name %s, filter %s, extension %s -> %s%s\n",
                  e.kind == PlatformEvent::OpenFileDialog ? "open file dialog" : "save file dialog",
                  Quote(e.caption).c_str(), Quote(e.folder).c_str(), Quote(e.text).c_str(),
                  Quote(e.filter).c_str(), Quote(e.defaultExtension).c_str(),
                  !e.answered ? "no answer queued: closed" : e.answer.empty() ? "cancelled" : "chosen ",
                  e.answered && !e.answer.empty() ? Quote(e.answer).c_str() : "");
      break;
    case PlatformEvent::Beep:
      std::printf("beep %d\n", e.style);
      break;
    case PlatformEvent::Preferences:
      std::printf("preferences dialog %s: digits %d, open last file %s -> %s",
                  Quote(e.caption).c_str(), e.prefsShown.sigDigits,
                  e.prefsShown.openLastFile ? "on" : "off",
                  e.answered ? ("answer " + e.answer).c_str() : "no answer queued: closed");
      if (e.result == ResultOk) {
        std::printf(", ok: digits %d, open last file %s\n", e.prefsChosen.sigDigits,
                    e.prefsChosen.openLastFile ? "on" : "off");
      } else {
        std::printf(", closed: nothing changed\n");
      }
      break;
    case PlatformEvent::AboutBox:
      std::printf("about box %s, %zu texts\n", Quote(e.caption).c_str(), e.lines.size());
      for (const std::string& line : e.lines) std::printf("| %s\n", Quote(line).c_str());
      break;
    case PlatformEvent::Help:
      std::printf("help %s in the %s\n", Quote(e.text).c_str(),
                  e.style == static_cast<int>(HelpViewer::Desktop) ? "desktop's viewer"
                                                                   : "help window");
      break;
    case PlatformEvent::OpenUrl:
      std::printf("open url %s\n", Quote(e.text).c_str());
      break;
    case PlatformEvent::Quit:
      std::printf("program closes\n");
      break;
    case PlatformEvent::ChoosePrinter:
    case PlatformEvent::PrintDialog:
      std::printf("%s [%s]", e.kind == PlatformEvent::ChoosePrinter ? "choose printer dialog"
                                                                   : "print dialog",
                  Join(e.lines).c_str());
      if (e.kind == PlatformEvent::ChoosePrinter) std::printf(", preselected %d", e.result);
      std::printf(" -> %s, printer %s\n", e.answered ? "answered" : "no answer queued: closed",
                  Quote(e.answer).c_str());
      break;
    case PlatformEvent::ChooseFromList:
      std::printf("choose from list %s: %s [%s] -> %s, ", Quote(e.caption).c_str(),
                  Quote(e.text).c_str(), Join(e.lines).c_str(),
                  e.answered ? "answered" : "no answer queued: closed");
      if (e.result >= 0) {
        std::printf("chosen %d %s\n", e.result + 1, Quote(e.answer).c_str());
      } else {
        std::printf("cancelled\n");
      }
      break;
    case PlatformEvent::PrintJob:
      // The scripted platform records the job; it writes no file.
      std::printf("printed on %s%s%s, %d page%s\n", Quote(e.caption).c_str(),
                  e.text.empty() ? "" : " (recorded only, not written to ",
                  e.text.empty() ? "" : (Quote(e.text) + ")").c_str(), e.pages,
                  e.pages == 1 ? "" : "s");
      for (const std::string& line : e.lines) std::printf("| %s\n", line.c_str());
      break;
  }
  std::fflush(stdout);
}

namespace {

const char* FocusName(Focus f) {
  switch (f) {
    case Focus::InputLine: return "InputLine";
    case Focus::BuildPanel: return "BuildPanel";
    case Focus::OkButton: return "Ok";
    case Focus::GraphicView: return "GraphicView";
    case Focus::OutputWindow: return "OutputWindow";
    case Focus::Dialog: return "Dialog";
  }
  return "?";
}

}  // namespace

void PrintPanelState() {
  std::printf("  heading %s\n", Quote(Panel.heading).c_str());
  std::printf("  mode %s\n", Quote(Panel.modeLabel).c_str());
  std::printf("  input %s", Quote(Panel.inputLine).c_str());
  if (Panel.selectionEnd > Panel.selectionStart)
    std::printf(" selected %d-%d", Panel.selectionStart, Panel.selectionEnd);
  std::printf("\n  prompt %s\n", Quote(Panel.promptLabel).c_str());
  std::printf("  status %s\n", Quote(Panel.status2).c_str());
  std::printf("  item %d %s, focus %s\n", ItemNumber(Panel.selectedItem),
              Quote(ItemText(Panel.selectedItem)).c_str(), FocusName(Panel.focus));
  std::string greyed, checked, captions;
  for (const MenuDef& m : MainMenus()) {
    for (const MenuItemDef& item : m.items) {
      if (item.id == 0) continue;
      const MenuItemState& state = Panel.menu[item.id];
      if (!state.enabled) greyed += " " + std::to_string(item.id);
      if (state.checked) checked += " " + std::to_string(item.id);
      if (MenuCaption(item.id) != item.caption)
        captions += " " + std::to_string(item.id) + " " + Quote(MenuCaption(item.id));
    }
  }
  std::printf("  menus greyed:%s; checked:%s; captions: 306 %s, 307 %s%s\n",
              greyed.empty() ? " none" : greyed.c_str(), checked.empty() ? " none" : checked.c_str(),
              Quote(MenuCaption(MenuXReflection)).c_str(), Quote(MenuCaption(MenuYReflection)).c_str(),
              captions.empty() ? "" : (";" + captions).c_str());
}

namespace {

// A whole number written with digits only.
bool ParseInt(const std::string& text, int& value) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// Splits "word rest" at the first blank.
void SplitWord(const std::string& line, std::string& word, std::string& rest) {
  std::size_t blank = line.find(' ');
  word = line.substr(0, blank);
  rest = blank == std::string::npos ? "" : line.substr(blank + 1);
}

const std::map<std::string, Key>& KeyNames() {
  static const std::map<std::string, Key> keys = {
      {"enter", Key::Enter}, {"esc", Key::Esc}, {"left", Key::Left}, {"up", Key::Up},
      {"right", Key::Right}, {"down", Key::Down}, {"f1", Key::F1},    {"f3", Key::F3},
      {"f9", Key::F9},
  };
  return keys;
}

bool ParseKey(const std::string& text, KeyPress& key) {
  std::stringstream parts(text);
  std::string part;
  bool first = true;
  while (std::getline(parts, part, '+')) {
    const std::string lower = LowerCase(part);
    if (first) {
      first = false;
      auto it = KeyNames().find(lower);
      if (it != KeyNames().end()) {
        key.key = it->second;
      } else if (lower.size() == 1 && LetterKey(lower[0]) != Key::None) {
        key.key = LetterKey(lower[0]);
      } else {
        return false;
      }
    } else if (lower == "shift") {
      key.shift = true;
    } else if (lower == "ctrl") {
      key.ctrl = true;
    } else {
      return false;
    }
  }
  return !first;
}

// What the keyboard hook did, e.g. "item 11, refresh; swallowed".
std::string DescribeKeyResult(const KeyResult& result) {
  std::string out;
  for (const KeyAction& a : result.actions) {
    std::string what;
    switch (a.kind) {
      case KeyAction::ClickOk: what = "Ok"; break;
      case KeyAction::MenuCommand: what = "menu " + std::to_string(a.command); break;
      case KeyAction::SelectItem: what = "item " + std::to_string(ItemNumber(a.item)); break;
      case KeyAction::SetModeLabel: what = "mode " + Quote(a.text); break;
      case KeyAction::AppendToInputLine: what = "append " + Quote(a.text); break;
      case KeyAction::RefreshPanel: what = "refresh"; break;
      case KeyAction::Pan:
        what = a.dx > 0 ? "pan right" : a.dx < 0 ? "pan left" : a.dy > 0 ? "pan up" : "pan down";
        break;
      case KeyAction::Calculate: what = "calculate"; break;
      case KeyAction::ShowLogFile: what = "log file"; break;
      case KeyAction::CloseOtherAxes: what = "close other axes"; break;
      case KeyAction::CloseOutputWindow: what = "close output window"; break;
      case KeyAction::WithdrawPendingStep: what = "withdraw step"; break;
      case KeyAction::EmptyInputLine: what = "empty input"; break;
      case KeyAction::EmptyPrompt: what = "empty prompt"; break;
    }
    out += (out.empty() ? "" : ", ") + what;
  }
  return (out.empty() ? "nothing" : out) + (result.swallow ? "; swallowed" : "; passed on");
}

// The mapping in force and every call of the last redraw (from its Clear on).
void PrintViewCalls(HeadlessPlatform& platform) {
  auto* canvas = dynamic_cast<RecordingCanvas*>(platform.ViewCanvas());
  if (canvas == nullptr) {
    std::printf("  no recording view canvas\n");
    return;
  }
  const std::vector<CanvasCall>& calls = canvas->Calls();
  std::size_t clear = calls.size();
  for (std::size_t i = calls.size(); i-- > 0;) {
    if (calls[i].op == CanvasCall::Clear) {
      clear = i;
      break;
    }
  }
  if (clear == calls.size()) {
    std::printf("  nothing drawn\n");
    return;
  }
  // A redraw starts with its mapping; a highlight keeps the one before.
  std::size_t first = clear;
  for (std::size_t i = clear; i-- > 0;) {
    if (calls[i].op != CanvasCall::SetMapping) continue;
    if (i + 1 == clear) {
      first = i;
    } else {
      std::printf("  kept: %s\n", FormatCanvasCall(calls[i]).c_str());
    }
    break;
  }
  for (std::size_t i = first; i < calls.size(); ++i)
    std::printf("  %s\n", FormatCanvasCall(calls[i]).c_str());
}

}  // namespace

bool PlayScenarioLine(const std::string& line, HeadlessPlatform& platform,
                      const std::function<void()>& props, std::string& why) {
  std::string word, rest;
  SplitWord(line, word, rest);
  int n = 0;
  if (word == "item" || word == "dblclick") {
    if (!ParseInt(rest, n) || n < 1 || n > BuildPanelCount) {
      why = word + " needs an item number 1..35";
      return false;
    }
    std::printf("> %s\n", line.c_str());
    if (word == "dblclick") {
      DoubleClickBuildPanelItem(ItemAt(n));
    } else {
      ClickBuildPanelItem(ItemAt(n));
    }
  } else if (word == "type") {
    std::printf("> %s\n", line.c_str());
    TypeInInputLine(rest);
  } else if (word == "ok") {
    std::printf("> %s\n", line.c_str());
    if (line.size() > 2) TypeInInputLine(rest);
    PressOkButton();
  } else if (word == "menu") {
    if (!ParseInt(rest, n) || MenuCaption(static_cast<CommandId>(n)).empty()) {
      why = "menu needs a menu command id (201..602)";
      return false;
    }
    std::printf("> %s\n", line.c_str());
    if (!ChooseMenuItem(static_cast<CommandId>(n)))
      std::printf("menu %d is greyed: nothing happens\n", n);
  } else if (word == "key") {
    KeyPress key;
    if (!ParseKey(rest, key)) {
      why = "key needs Enter, Esc, Left, Right, Up, Down, F1, F3, F9 or a letter, with +shift / +ctrl";
      return false;
    }
    std::printf("> %s\n", line.c_str());
    key.focus = Panel.focus;
    if (std::optional<KeyResult> result = PressKey(key)) {
      std::printf("  hook: %s\n", DescribeKeyResult(*result).c_str());
    } else {
      std::printf("no keyboard hook installed: key ignored\n");
    }
  } else if (word == "answer") {
    std::string kind, text;
    SplitWord(rest, kind, text);
    DialogAnswer answer{DialogAnswer::Close, ""};
    if (kind == "yes" && text.empty()) {
      answer.kind = DialogAnswer::Yes;
    } else if (kind == "no" && text.empty()) {
      answer.kind = DialogAnswer::No;
    } else if (kind == "ok" && text.empty()) {
      answer.kind = DialogAnswer::Ok;
    } else if (kind == "cancel" && text.empty()) {
      answer.kind = DialogAnswer::Cancel;
    } else if (kind == "close" && text.empty()) {
      answer.kind = DialogAnswer::Close;
    } else if (kind == "text") {
      answer = {DialogAnswer::Text, text};
    } else if (kind == "file" && !text.empty()) {
      answer = {DialogAnswer::File, text};
    } else {
      why = "answer needs yes, no, ok, cancel, close, text TEXT or file PATH";
      return false;
    }
    std::printf("> %s\n", line.c_str());
    platform.QueueAnswer(answer);
  } else if (word == "close" && rest.empty()) {
    std::printf("> %s\n", line.c_str());
    if (!CloseMainWindow()) std::printf("  the window stays open\n");
  } else if (word == "show" && rest.empty()) {
    std::printf("> %s\n", line.c_str());
    PrintPanelState();
  } else if (word == "state" && rest.empty()) {
    std::printf("> %s\n", line.c_str());
    std::printf("  file changed %s, results current %s, sections %d, nodes %d, phantom from %d\n",
                Shared.FileChanged ? "yes" : "no", Shared.ResultsCurrent ? "yes" : "no",
                Table.sectionCount, Table.nodeCount, Table.lowestPhantom);
  } else if (word == "view" && rest.empty()) {
    std::printf("> %s\n", line.c_str());
    PrintViewCalls(platform);
  } else if (word == "printers") {
    // "printers A|*B|C": the printers the platform lists, the starred one its default.
    std::printf("> %s\n", line.c_str());
    std::vector<std::string> names;
    std::string defaultName;
    for (std::string& n : SplitFields(rest, "|")) {
      if (!n.empty() && n[0] == '*') defaultName = n = n.substr(1);
      if (!n.empty()) names.push_back(n);
    }
    platform.SetPrinters(names, defaultName);
  } else if (word == "props" && rest.empty()) {
    std::printf("> %s\n", line.c_str());
    props();
  } else {
    why = "unknown action";
    return false;
  }
  std::fflush(stdout);
  return true;
}

int PlayScenario(std::istream& script, const std::string& scriptName, HeadlessPlatform& platform,
                 const std::function<void()>& props) {
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = TrimBlanks(line);
    if (line.empty() || line[0] == '#') continue;
    std::string why;
    if (!PlayScenarioLine(line, platform, props, why)) {
      std::fprintf(stderr, "kelvarin-cli run: %s: line %d: %s: %s\n", scriptName.c_str(), number,
                   why.c_str(), line.c_str());
      return 2;
    }
  }
  if (platform.PendingAnswers() != 0)
    std::printf("end: %zu queued answers not used\n", platform.PendingAnswers());
  return 0;
}
