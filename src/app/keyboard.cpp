#include "app/keyboard.h"

#include "app/report_window.h"
#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/view_update.h"
#include "construct/entry_state.h"
#include "files/log_listing.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "output/output_window.h"
#include "platform/platform.h"
#include "view/view_control.h"
#include "view/view_options.h"

KeyboardState Keyboard{};

namespace {

KeyAction Do(KeyAction::Kind kind) { return {.kind = kind}; }
KeyAction Menu(CommandId id) { return {.kind = KeyAction::MenuCommand, .command = id}; }
KeyAction Select(PanelItem item) { return {.kind = KeyAction::SelectItem, .item = item}; }
KeyAction WithText(KeyAction::Kind kind, std::string text) {
  return {.kind = kind, .text = std::move(text)};
}

bool HaveSection() { return Table.sectionCount >= 1; }
// The last section is a polygon still taking nodes.
bool LastSectionOpen() { return HaveSection() && Table.sections[Table.sectionCount].flags == 0; }

// The keys that act whatever the modifiers. Returns false for a key not in this table.
bool FirstTable(const KeyPress& press, KeyResult& result) {
  std::vector<KeyAction>& out = result.actions;
  switch (press.key) {
    case Key::Enter: {
      // A line that starts with a direction letter is not submitted by Enter.
      const std::string& line = Panel.inputLine;
      if (press.focus == Focus::InputLine &&
          (line.empty() || std::string_view("uldrULDR").find(line[0]) == std::string_view::npos))
        out.push_back(Do(KeyAction::ClickOk));
      return true;
    }
    case Key::Esc:
      if (Calc.calcMode != CalcIdle) out.push_back(Do(KeyAction::CloseOtherAxes));
      if (Output.open) out.push_back(Do(KeyAction::CloseOutputWindow));
      if (Entry.PendingStep != StepNone) {
        out.push_back(Do(KeyAction::WithdrawPendingStep));
        out.push_back(Do(KeyAction::RefreshPanel));
      } else {
        out.push_back(Do(KeyAction::EmptyInputLine));
        out.push_back(Menu(MenuNormal));
        out.push_back(Do(KeyAction::EmptyPrompt));
      }
      return true;
    case Key::Left:
    case Key::Right:
    case Key::Up:
    case Key::Down: {
      const bool horizontal = press.key == Key::Left || press.key == Key::Right;
      const int sign = press.key == Key::Right || press.key == Key::Up ? 1 : -1;
      if (View.magnification != 0) {
        // Magnified, the arrows only pan, even while a polygon is open.
        out.push_back({.kind = KeyAction::Pan, .dx = horizontal ? sign : 0,
                       .dy = horizontal ? 0 : sign});
      } else if (LastSectionOpen() && (horizontal || !press.ctrl)) {
        const char* step = press.key == Key::Left    ? "l"
                           : press.key == Key::Right ? "r"
                           : press.key == Key::Up    ? "u"
                                                     : "d";
        out.push_back(WithText(KeyAction::AppendToInputLine, step));
        out.push_back(Do(KeyAction::ClickOk));
      } else if (!horizontal && press.focus == Focus::InputLine) {
        // ItemAt keeps the selection within the list's 35 items.
        out.push_back(Select(ItemAt(ItemNumber(Panel.selectedItem) - sign)));
        out.push_back(Do(KeyAction::RefreshPanel));
      }
      return true;
    }
    case Key::F1:
      out.push_back(Menu(MenuHelp));
      return true;
    case Key::F3:
      out.push_back(Do(KeyAction::Calculate));
      return true;
    case Key::F9:
      out.push_back(Menu(MenuBeginAgain));
      return true;
    case Key::U:
      // The undo itself waits for the next Ok.
      out.push_back(Select(PanelItem::UndoLastNode));
      out.push_back(WithText(KeyAction::SetModeLabel, "undo"));
      if (HaveSection()) out.push_back(Do(KeyAction::RefreshPanel));
      result.swallow = true;
      return true;
    case Key::C:
      if (LastSectionOpen()) {
        out.push_back(Select(PanelItem::ClosePolygon));
        out.push_back(WithText(KeyAction::SetModeLabel, "close"));
        out.push_back(Do(KeyAction::ClickOk));
      } else {
        out.push_back(Select(PanelItem::CircleSection));
      }
      out.push_back(Do(KeyAction::RefreshPanel));
      result.swallow = true;
      return true;
    case Key::L:
      if (press.ctrl) out.push_back(Do(KeyAction::ShowLogFile));
      return true;
    default:
      return false;
  }
}

// Letters without modifiers that jump to a BuildPanel item; None for other keys.
PanelItem SecondTable(Key key) {
  switch (key) {
    case Key::P:
      // P goes back and forth between the polygon and the phantom-point groups.
      return ItemNumber(Panel.selectedItem) <= ItemNumber(PanelItem::ClosePolygon)
                 ? PanelItem::PhantomPoints
                 : PanelItem::PolygonSection;
    case Key::F: return PanelItem::Fillets;
    case Key::A: return PanelItem::ArcSegment;
    case Key::R: return PanelItem::RadialBlock;
    case Key::M: return PanelItem::MergeData;
    case Key::E: return PanelItem::EditData;
    case Key::I: return PanelItem::IdentifySection;
    case Key::B: return PanelItem::Build;
    case Key::V: return PanelItem::ViewLogFile;
    default: return PanelItem::None;
  }
}

// What a key does, decided from the state at the press; nothing changes here.
KeyResult PlanKeyPress(const KeyPress& press) {
  KeyResult result;
  if (Dispatch.MenuOpen || Dispatch.FileDialogOpen || press.focus == Focus::Dialog) return result;
  FirstTable(press, result);
  if (press.shift || press.ctrl) return result;
  if (const PanelItem item = SecondTable(press.key); item != PanelItem::None) {
    result.actions.push_back(Select(item));
    result.actions.push_back(Do(KeyAction::RefreshPanel));
    result.swallow = true;
  }
  return result;
}

void RunKeyAction(const KeyAction& action) {
  switch (action.kind) {
    case KeyAction::ClickOk:
      MainWindowCommand(CommandOk);
      break;
    case KeyAction::MenuCommand:
      MainWindowCommand(action.command);
      break;
    case KeyAction::SelectItem:
      SelectBuildPanelItem(action.item);
      break;
    case KeyAction::SetModeLabel:
      Panel.modeLabel = action.text;
      break;
    case KeyAction::AppendToInputLine:
      Panel.inputLine += action.text;
      Panel.selectionStart = Panel.selectionEnd = static_cast<int>(Panel.inputLine.size());
      break;
    case KeyAction::RefreshPanel:
      RefreshPanel();
      break;
    case KeyAction::Pan:
      PanView(action.dx, action.dy);
      UpdateView();
      break;
    case KeyAction::Calculate:
      ComputeProperties();
      break;
    case KeyAction::ShowLogFile:
      ShowLogFile();
      break;
    case KeyAction::CloseOtherAxes:
      GetPlatform().CloseResultDialog();
      break;
    case KeyAction::CloseOutputWindow:
      CloseOutputWindow();
      break;
    case KeyAction::WithdrawPendingStep:
      Entry.PendingStep = StepNone;
      break;
    case KeyAction::EmptyInputLine:
      Panel.inputLine.clear();
      Panel.selectionStart = Panel.selectionEnd = 0;
      break;
    case KeyAction::EmptyPrompt:
      SetStatusText("", 1);
      break;
  }
}

}  // namespace

KeyResult KeyboardHook(const KeyPress& press) {
  KeyResult result = PlanKeyPress(press);
  for (const KeyAction& action : result.actions) RunKeyAction(action);
  return result;
}

void InstallKeyboardHook(KeyboardHookFunction hook) { Keyboard.hook = hook; }
void RemoveKeyboardHook() { Keyboard.hook = nullptr; }

std::optional<KeyResult> PressKey(const KeyPress& press) {
  if (Keyboard.hook == nullptr) return std::nullopt;
  return Keyboard.hook(press);
}
