// kelvarin-cli run: plays a scenario script against the program headless, printing
// everything the user would see as it happens.
//
// One action a line: "item N" / "dblclick N" (BuildPanel 1..35), "type TEXT", "ok",
// "ok TEXT", "menu ID", "key NAME[+shift][+ctrl]", "answer yes|no|ok|cancel|close",
// "answer text TEXT", "answer file PATH", "show" (the panel), "props" (the stored
// results as JSON). Lines starting with '#' and blank lines are skipped. Each action
// is echoed with "> "; every dialog, message and output window follows on its own
// lines. A malformed line stops the run with exit code 2.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/properties_json.h"
#include "cli/cli_session.h"
#include "construct/entry_state.h"
#include "headless/headless_platform.h"
#include "headless/recording_canvas.h"
#include "model/properties.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "view/view_options.h"

namespace {

// A text in double quotes with its control characters written as escapes.
std::string Quote(const std::string& s) {
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

void PrintEvent(const PlatformEvent& e) {
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
                  e.answered ? "chosen " : "no answer queued: closed",
                  e.answered ? Quote(e.answer).c_str() : "");
      break;
    case PlatformEvent::Beep:
      std::printf("beep %d\n", e.style);
      break;
  }
  std::fflush(stdout);
}

const char* FocusName(Focus f) {
  switch (f) {
    case Focus::InputLine: return "InputLine";
    case Focus::BuildPanel: return "BuildPanel";
    case Focus::OkButton: return "Ok";
    case Focus::GraphicView: return "GraphicView";
  }
  return "?";
}

void PrintPanel() {
  std::printf("  heading %s\n", Quote(Panel.heading).c_str());
  std::printf("  mode %s\n", Quote(Panel.modeLabel).c_str());
  std::printf("  input %s", Quote(Panel.inputLine).c_str());
  if (Panel.selectionEnd > Panel.selectionStart)
    std::printf(" selected %d-%d", Panel.selectionStart, Panel.selectionEnd);
  std::printf("\n  prompt %s\n", Quote(Panel.promptLabel).c_str());
  std::printf("  status %s\n", Quote(Panel.status2).c_str());
  std::printf("  item %d %s, focus %s\n", Panel.selectedItem,
              Quote(BuildPanelItems[Panel.selectedItem]).c_str(), FocusName(Panel.focus));
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
              Quote(MenuCaption(306)).c_str(), Quote(MenuCaption(307)).c_str(),
              captions.empty() ? "" : (";" + captions).c_str());
}

bool ParseInt(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  value = std::stoi(text);
  return true;
}

// Splits "word rest" at the first blank.
void SplitWord(const std::string& line, std::string& word, std::string& rest) {
  std::size_t blank = line.find(' ');
  word = line.substr(0, blank);
  rest = blank == std::string::npos ? "" : line.substr(blank + 1);
}

struct ScriptError {
  std::string why;
};

void ClickItem(int item) {
  MoveFocus(Focus::BuildPanel);
  SelectBuildPanelItem(item);
  BuildPanelNotify(LbnSelChange);
}

void TypeText(const std::string& text) {
  MoveFocus(Focus::InputLine);
  Panel.inputLine = text;
  Panel.selectionStart = Panel.selectionEnd = static_cast<int>(text.size());
}

const std::map<std::string, int>& KeyNames() {
  static const std::map<std::string, int> keys = {
      {"enter", 13}, {"esc", 27},  {"left", 37}, {"up", 38},  {"right", 39},
      {"down", 40},  {"f1", 112},  {"f3", 114},  {"f9", 120},
  };
  return keys;
}

bool ParseKey(const std::string& text, KeyPress& key) {
  std::stringstream parts(text);
  std::string part;
  bool first = true;
  while (std::getline(parts, part, '+')) {
    std::string lower;
    for (char c : part) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (first) {
      first = false;
      auto it = KeyNames().find(lower);
      if (it != KeyNames().end()) {
        key.code = it->second;
      } else if (lower.size() == 1 && lower[0] >= 'a' && lower[0] <= 'z') {
        key.code = lower[0] - 'a' + 'A';
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

// Runs one script line; throws nothing, returns false with why on a malformed line.
bool RunLine(const std::string& line, HeadlessPlatform& platform, std::string& why) {
  std::string word, rest;
  SplitWord(line, word, rest);
  int n = 0;
  if (word == "item" || word == "dblclick") {
    if (!ParseInt(rest, n) || n < 1 || n > BuildPanelCount) {
      why = word + " needs an item number 1..35";
      return false;
    }
    std::printf("> %s\n", line.c_str());
    ClickItem(n);
    if (word == "dblclick") BuildPanelNotify(LbnDblClk);
  } else if (word == "type") {
    std::printf("> %s\n", line.c_str());
    TypeText(rest);
  } else if (word == "ok") {
    std::printf("> %s\n", line.c_str());
    if (line.size() > 2) TypeText(rest);
    MainWindowCommand(IdOk);
  } else if (word == "menu") {
    if (!ParseInt(rest, n) || MenuCaption(n).empty()) {
      why = "menu needs a menu command id (201..602)";
      return false;
    }
    std::printf("> %s\n", line.c_str());
    if (!Panel.menu[n].enabled) {
      std::printf("menu %d is greyed: nothing happens\n", n);
    } else {
      MenuPopupOpened();
      MenuLoopEnded();
      MainWindowCommand(n);
    }
  } else if (word == "key") {
    KeyPress key;
    if (!ParseKey(rest, key)) {
      why = "key needs Enter, Esc, Left, Right, Up, Down, F1, F3, F9 or a letter, with +shift / +ctrl";
      return false;
    }
    std::printf("> %s\n", line.c_str());
    if (!PressKey(key)) std::printf("no keyboard hook installed: key ignored\n");
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
  } else if (word == "show" && rest.empty()) {
    std::printf("> %s\n", line.c_str());
    PrintPanel();
  } else if (word == "props" && rest.empty()) {
    std::printf("> %s\n", line.c_str());
    std::printf("%s\n", PropertiesJson(Calc.props).c_str());
  } else {
    why = "unknown action";
    return false;
  }
  std::fflush(stdout);
  return true;
}

struct RunOptions {
  std::string dataFolder, scriptName;
};

int RunScenario(const RunOptions& options) {
  const std::string& dataFolder = options.dataFolder;
  const std::string& scriptName = options.scriptName;
  std::ifstream file;
  if (scriptName != "-") {
    file.open(scriptName);
    if (!file) {
      std::fprintf(stderr, "kelvarin-cli run: cannot read %s\n", scriptName.c_str());
      return ExitRefusedFile;
    }
  }
  std::istream& script = scriptName == "-" ? std::cin : file;

  HeadlessPlatform platform(dataFolder.empty() ? DefaultAppDataFolder() : dataFolder);
  // The view draws as in the window; its calls are not printed.
  RecordingCanvas canvas;
  platform.SetCanvas(&canvas);
  platform.SetListener(PrintEvent);
  SetPlatform(&platform);
  Shared = SharedState{};
  StartUp("");

  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t b = line.find_first_not_of(" \t");
    if (b == std::string::npos || line[b] == '#') continue;
    line = line.substr(b, line.find_last_not_of(" \t") - b + 1);
    std::string why;
    canvas.ClearCalls();
    if (!RunLine(line, platform, why)) {
      std::fprintf(stderr, "kelvarin-cli run: %s: line %d: %s: %s\n", scriptName.c_str(), number,
                   why.c_str(), line.c_str());
      SetPlatform(nullptr);
      return 2;
    }
  }
  if (platform.PendingAnswers() != 0)
    std::printf("end: %zu queued answers not used\n", platform.PendingAnswers());
  SetPlatform(nullptr);
  return 0;
}

}  // namespace

CliCommand AddRunCommand(CLI::App& cli) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* command = cli.add_subcommand("run", "plays a scenario script headless");
  AddDataOption(*command, options->dataFolder);
  command->add_option("SCRIPT", options->scriptName, "the scenario script, - for standard input")
      ->type_name("")
      ->required();
  return {command, [options] { return static_cast<CliExit>(RunScenario(*options)); }};
}
