// Geometry of the program's dialogs, computed from measured text so that it can be
// tested without a screen. The message and input dialogs are laid out in pixels;
// Preferences, Property Calculations and About are given in dialog units (a quarter
// of the average character width across, an eighth of the character height down)
// and converted with the base units of the dialog's font.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/platform.h"

struct DialogRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// Pixel width of one line of text in the dialog's font.
using MeasureText = std::function<int(const std::string&)>;

struct DialogButton {
  std::string caption;
  MessageResult result = ResultOk;
  DialogRect rect;
  bool isDefault = false;  // activated by Enter
  bool hasFocus = false;   // holds the keyboard focus when the dialog opens
};

// MessageDialog's buttons for a style, left to right, with the answer each gives;
// the first is the default (Enter). The Qt dialog and the headless platform both
// take their buttons from here.
struct MessageDialogButtonKind {
  const char* caption;
  MessageResult result;
};
std::vector<MessageDialogButtonKind> MessageDialogButtonSet(MessageStyle style);
// What Escape and the close box give: 7 for every button set.
constexpr MessageResult MessageDialogEscapeResult = ResultNo;
// The answer of the button whose caption, without its '&', is `name`; Escape's
// when the set has no such button.
MessageResult MessageDialogAnswer(MessageStyle style, const std::string& name);

// MessageDialog: everything in pixels, relative to the dialog's client area.
struct MessageDialogLayout {
  int width = 0, height = 0;
  int lineCount = 0;              // the message's lines + 1 (the label starts a line down)
  std::vector<std::string> lines; // the message split at its line breaks
  std::string labelText;          // CR LF + the message, as the label shows it
  DialogRect text;                // the text label
  int iconKind = 0;               // 16, 32, 48, 64, or 0 for no icon
  DialogRect icon;                // 32 x 32 at (10, 5) when there is an icon
  std::vector<DialogButton> buttons;  // left to right
};
MessageDialogLayout ComputeMessageDialogLayout(const std::string& message, MessageStyle style,
                                               const MeasureText& measure);
// Where a dialog of width x height goes: with x and y both 0 centred on the owner
// (whole pixels), otherwise at (max(x, 0), max(y, 0)).
DialogRect PlaceMessageDialog(int width, int height, int x, int y, const DialogRect& owner);

// InputDialog: size, screen position and controls in pixels. The offsets are taken
// from the owner's own place on the screen, wherever the window manager put it.
struct InputDialogLayout {
  int innerWidth = 0;   // W: the width the controls are laid out in
  DialogRect dialog;    // W + 40 by 120, (owner width)/2 - W/2 and (owner height)/4
                        // from the owner's top left corner
  DialogRect prompt;
  DialogRect edit;
  DialogRect okButton;  // "Ok", the confirm button
};
InputDialogLayout ComputeInputDialogLayout(const std::string& prompt, const std::string& title,
                                           const std::string& defaultAnswer,
                                           const MeasureText& measure, const DialogRect& owner);

// Dialog base units of a font: the average character width (from the width of the
// alphabet, as the platform's dialogs compute it) and the character height.
struct DialogBaseUnits {
  int x = 0, y = 0;
};
DialogBaseUnits BaseUnitsOf(const MeasureText& measure, int charHeight);
// Dialog units to pixels, rounding to the nearest pixel.
DialogRect DialogUnitsToPixels(const DialogRect& units, const DialogBaseUnits& base);

// Character height in pixels of a font of the given points on a screen of dpi dots
// per inch.
int FontPixelHeight(int points, int dpi);

struct DialogFont {
  std::string face;  // "" is the dialog's own font
  int points = 0;    // 0 is the dialog's own size
  bool bold = false, italic = false, underline = false;
};

enum class DialogControlKind { Label, Icon, DropDownList, ListBox, CheckBox, Button, Link };

struct DialogControl {
  DialogControlKind kind = DialogControlKind::Label;
  int id = 0;               // 108, 109, 1 in Preferences; 0 where none is needed
  std::string text;         // caption; for a link the text shown
  DialogRect rect;          // dialog units; a drop-down list's height is its open height
  DialogFont font;
  Rgb colour = Black;       // text colour
  std::vector<std::string> items;  // drop-down list or list box entries
  int selected = -1;        // selected list entry
  bool checked = false;     // check box state
};

// A dialog built from code: caption, place and size in dialog units, controls.
struct DialogTemplate {
  std::string caption;
  bool centred = false;  // otherwise at (rect.x, rect.y)
  DialogRect rect;
  std::vector<DialogControl> controls;
};

// The "Preferences" dialog opened with the given values (ids 108 list, 109 check
// box, 1 Ok).
DialogTemplate PreferencesDialogTemplate(const PreferenceValues& values);
// The value Ok takes from the list's entry text: " 5" gives 5; -1 for a text that
// is not one of the entries.
int DigitsOfListEntry(const std::string& entry);
// The "Choose Printer" dialog: the printers' list box (id 101) with entry
// preselected chosen (-1 for none), "Ok" (id 1) and "Cancel" (id 2).
DialogTemplate ChoosePrinterDialogTemplate(const std::vector<std::string>& printers,
                                           int preselected);
// The "Property Calculations" result dialog with its label lines.
DialogTemplate ResultDialogTemplate(const std::string& caption,
                                    const std::vector<std::string>& lines);
// The About box with its texts (the links are the last two controls: e-mail, web).
DialogTemplate AboutBoxTemplate(const AboutBoxContent& content);
