#include "output/dialog_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// Splits at CR LF; a lone LF or CR also ends a line, so a message written with
// either convention breaks where it was meant to.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

// x * numerator / denominator rounded to the nearest integer, halves away from 0.
int MulDiv(int x, int numerator, int denominator) {
  if (denominator == 0) return 0;
  const long long p = static_cast<long long>(x) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(p >= 0 ? (p + half) / denominator : (p - half) / denominator);
}

DialogControl Control(DialogControlKind kind, int id, std::string text, DialogRect rect) {
  DialogControl c;
  c.kind = kind;
  c.id = id;
  c.text = std::move(text);
  c.rect = rect;
  return c;
}

}  // namespace

MessageDialogLayout ComputeMessageDialogLayout(const std::string& message, MessageStyle style,
                                               const MeasureText& measure) {
  MessageDialogLayout l;
  l.lines = SplitLines(message);
  int maxWidth = 0;
  for (const std::string& line : l.lines) maxWidth = std::max(maxWidth, measure(line));
  l.lineCount = static_cast<int>(l.lines.size()) + 1;
  const int textLeft = style > 6 ? 50 : 10;  // room for an icon
  l.labelText = "\r\n" + message;
  l.text = {textLeft, 5, maxWidth, 15 * l.lineCount};
  l.width = std::max(220, textLeft + maxWidth + 10);
  l.height = std::max(120, 20 * l.lineCount + 55);

  const int icon = IconOf(style);
  if (icon == MsgIconError || icon == MsgIconQuestion || icon == MsgIconWarning ||
      icon == MsgIconInformation) {
    l.iconKind = icon;
    l.icon = {10, 5, 32, 32};
  }

  const int y = l.height - 70;
  const std::vector<MessageDialogButtonKind> set = MessageDialogButtonSet(style);
  if (set.size() == 1) {
    // A lone Ok is wider and stands further in.
    l.buttons.push_back({set[0].caption, set[0].result, {30, y, 80, 30}, true, false});
    return l;
  }
  for (std::size_t i = 0; i < set.size(); ++i) {
    const int x = 10 + 65 * static_cast<int>(i);
    l.buttons.push_back({set[i].caption, set[i].result, {x, y, 60, 30}, i == 0, false});
  }
  if (ButtonSetOf(style) == MsgYesNoCancel) l.buttons.front().hasFocus = true;
  return l;
}

std::vector<MessageDialogButtonKind> MessageDialogButtonSet(MessageStyle style) {
  switch (ButtonSetOf(style)) {
    case MsgOkCancel: return {{"&Ok", ResultYes}, {"&Cancel", ResultNo}};
    case MsgYesNoCancel: return {{"&Yes", ResultYes}, {"&No", ResultNo}, {"Cancel", ResultCancel}};
    case MsgYesNo: return {{"&Yes", ResultYes}, {"&No", ResultNo}};
    default: return {{"&Ok", ResultOk}};
  }
}

MessageResult MessageDialogAnswer(MessageStyle style, const std::string& name) {
  for (const MessageDialogButtonKind& b : MessageDialogButtonSet(style)) {
    std::string caption = b.caption;
    std::erase(caption, '&');
    if (caption == name) return b.result;
  }
  return MessageDialogEscapeResult;
}

DialogRect PlaceMessageDialog(int width, int height, int x, int y, const DialogRect& owner) {
  if (x == 0 && y == 0) {
    const long cx = std::lround(owner.x + (owner.width - width) / 2.0);
    const long cy = std::lround(owner.y + (owner.height - height) / 2.0);
    return {static_cast<int>(cx), static_cast<int>(cy), width, height};
  }
  return {std::max(x, 0), std::max(y, 0), width, height};
}

InputDialogLayout ComputeInputDialogLayout(const std::string& prompt, const std::string& title,
                                           const std::string& defaultAnswer,
                                           const MeasureText& measure, const DialogRect& owner) {
  // A prompt is measured with the blank that parts it from the edit box, which
  // otherwise starts where its last character ends.
  const std::string shownPrompt = prompt.substr(0, 255);
  const int pw = shownPrompt.empty() ? 0 : measure(shownPrompt + " ");
  int dw = static_cast<int>(std::lround(1.2 * measure(defaultAnswer.substr(0, 255))));
  if (dw == 0) dw = 130;
  const int tw = measure(title.substr(0, 255));
  int w = std::max(pw + dw, tw);
  if (w == 0) w = 150;
  w = std::max(w, 150);

  InputDialogLayout l;
  l.innerWidth = w;
  l.dialog = {owner.x + owner.width / 2 - w / 2, owner.y + owner.height / 4, w + 40, 120};
  l.prompt = {5, 15, pw + 5, 20};
  l.edit = {pw + 5, 15, dw + 5, 20};
  l.okButton = {w - 80, 50, 80, 30};
  return l;
}

DialogBaseUnits BaseUnitsOf(const MeasureText& measure, int charHeight) {
  const int alphabet = measure("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return {(alphabet / 26 + 1) / 2, charHeight};
}

DialogRect DialogUnitsToPixels(const DialogRect& u, const DialogBaseUnits& base) {
  return {MulDiv(u.x, base.x, 4), MulDiv(u.y, base.y, 8), MulDiv(u.width, base.x, 4),
          MulDiv(u.height, base.y, 8)};
}

int FontPixelHeight(int points, int dpi) { return points * dpi / 72; }

DialogTemplate PreferencesDialogTemplate(const PreferenceValues& values) {
  DialogTemplate t;
  t.caption = "Preferences";
  t.rect = {150, 80, 120, 90};
  t.controls.push_back(Control(DialogControlKind::Label, 0, "Significant digits:", {10, 10, 60, 12}));
  DialogControl list = Control(DialogControlKind::DropDownList, 108, "", {70, 10, 40, 90});
  for (int d = 0; d <= 6; ++d) list.items.push_back(" " + std::to_string(d));
  list.selected = values.sigDigits >= 0 && values.sigDigits <= 6 ? values.sigDigits : -1;
  t.controls.push_back(list);
  DialogControl check = Control(DialogControlKind::CheckBox, 109, "Open last file saved", {10, 25, 85, 15});
  check.checked = values.openLastFile;
  t.controls.push_back(check);
  t.controls.push_back(Control(DialogControlKind::Button, 1, "Ok", {10, 45, 50, 20}));
  return t;
}

DialogTemplate ChoosePrinterDialogTemplate(const std::vector<std::string>& printers,
                                           int preselected) {
  DialogTemplate t;
  t.caption = "Choose Printer";
  t.centred = true;
  t.rect = {0, 0, 240, 140};
  DialogControl list = Control(DialogControlKind::ListBox, 101, "", {10, 10, 220, 60});
  list.items = printers;
  list.selected = preselected >= 0 && preselected < static_cast<int>(printers.size()) ? preselected : -1;
  t.controls.push_back(list);
  t.controls.push_back(Control(DialogControlKind::Button, 1, "Ok", {125, 80, 50, 25}));
  t.controls.push_back(Control(DialogControlKind::Button, 2, "Cancel", {180, 80, 50, 25}));
  return t;
}

int DigitsOfListEntry(const std::string& entry) {
  if (entry.size() == 2 && entry[0] == ' ' && entry[1] >= '0' && entry[1] <= '6')
    return entry[1] - '0';
  return -1;
}

DialogTemplate ResultDialogTemplate(const std::string& caption,
                                    const std::vector<std::string>& lines) {
  DialogTemplate t;
  t.caption = caption;
  t.rect = {150, 80, 150, 120};
  int y = 10;
  for (const std::string& line : lines) {
    t.controls.push_back(Control(DialogControlKind::Label, 0, line, {20, y, 250, 15}));
    y += 15;
  }
  return t;
}

DialogTemplate AboutBoxTemplate(const AboutBoxContent& content) {
  // The name and subtitle fonts and colours are the box's own; the version and the
  // author stand under the name in the dialog's font.
  DialogTemplate t;
  t.caption = content.caption;
  t.centred = true;
  t.rect = {0, 0, 220, 160};
  t.controls.push_back(Control(DialogControlKind::Icon, 0, "", {10, 10, 30, 30}));
  DialogControl title = Control(DialogControlKind::Label, 0, content.title, {40, 10, 150, 20});
  title.font = {"Sans Serif", 14, false, false, false};
  title.colour = {255, 0, 0};
  t.controls.push_back(title);
  DialogControl subtitle = Control(DialogControlKind::Label, 0, content.subtitle, {145, 13, 70, 10});
  subtitle.font = {"Sans Serif", 10, false, true, false};
  t.controls.push_back(subtitle);
  t.controls.push_back(Control(DialogControlKind::Label, 0, content.version, {40, 32, 150, 10}));
  t.controls.push_back(Control(DialogControlKind::Label, 0, content.credits, {40, 44, 150, 10}));
  for (const auto& [text, y] : {std::pair{content.emailAddress, 60}, std::pair{content.webAddress, 75}}) {
    DialogControl link = Control(DialogControlKind::Link, 0, text, {60, y, 140, 12});
    link.font = {"Sans Serif", 10, false, false, true};
    link.colour = Blue;
    t.controls.push_back(link);
  }
  return t;
}
