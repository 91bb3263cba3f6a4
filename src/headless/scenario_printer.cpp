// The scenario runner's printer: every platform event, the panel, the keyboard
// hook's actions and the last redraw's drawing calls, as text on standard output.
#include "headless/scenario_printer.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "construct/panel_items.h"
#include "headless/headless_platform.h"
#include "headless/recording_canvas.h"

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
    case PlatformEvent::AddProfile: {
      const std::string outcome = e.result == ResultOk ? "added " + e.answer
                                  : e.answered        ? "closed by " + Quote(e.answer)
                                                      : "no answer queued: closed";
      std::printf("add profile dialog [%s] -> %s\n", Join(e.lines).c_str(), outcome.c_str());
      break;
    }
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
