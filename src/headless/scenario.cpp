// The scenario player: reads a script's lines and plays each through the window's
// own calls; headless/scenario_printer.cpp prints what follows.
#include "headless/scenario.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/window_actions.h"
#include "construct/input_text.h"
#include "construct/panel_items.h"
#include "headless/headless_platform.h"
#include "headless/scenario_printer.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "util/text.h"

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
