// Dialog geometry against the worked examples: a fake font of 6 pixels a character
// stands in for the platform's text measurement.
#include <gtest/gtest.h>

#include "output/dialog_layout.h"

namespace {

int SixPerChar(const std::string& s) { return 6 * static_cast<int>(s.size()); }

TEST(MessageDialogLayout, BeginAgainWithWarningIconAndYesNo) {
  MessageDialogLayout l = ComputeMessageDialogLayout("Begin again?", MsgYesNo | MsgIconWarning, SixPerChar);
  EXPECT_EQ(l.lineCount, 2);
  EXPECT_EQ(l.text, (DialogRect{50, 5, 72, 30}));
  EXPECT_EQ(l.height, 120);  // max(120, 95)
  EXPECT_EQ(l.width, 220);
  EXPECT_EQ(l.iconKind, 48);
  EXPECT_EQ(l.icon, (DialogRect{10, 5, 32, 32}));
  ASSERT_EQ(l.buttons.size(), 2u);
  EXPECT_EQ(l.buttons[0].caption, "&Yes");
  EXPECT_EQ(l.buttons[0].rect, (DialogRect{10, 50, 60, 30}));
  EXPECT_EQ(l.buttons[0].result, ResultYes);
  EXPECT_TRUE(l.buttons[0].isDefault);
  EXPECT_EQ(l.buttons[1].caption, "&No");
  EXPECT_EQ(l.buttons[1].rect, (DialogRect{75, 50, 60, 30}));
  EXPECT_EQ(l.buttons[1].result, ResultNo);
  EXPECT_FALSE(l.buttons[1].isDefault);
  EXPECT_EQ(l.labelText, "\r\nBegin again?");
}

TEST(MessageDialogLayout, TwoLinesWithoutIconAndTheLoneOk) {
  MessageDialogLayout l = ComputeMessageDialogLayout("a\r\nb", MsgOk, SixPerChar);
  EXPECT_EQ(l.lineCount, 3);
  EXPECT_EQ(l.lines, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(l.text, (DialogRect{10, 5, 6, 45}));
  EXPECT_EQ(l.height, 120);  // max(120, 115)
  EXPECT_EQ(l.iconKind, 0);
  ASSERT_EQ(l.buttons.size(), 1u);
  EXPECT_EQ(l.buttons[0].caption, "&Ok");
  EXPECT_EQ(l.buttons[0].rect, (DialogRect{30, 50, 80, 30}));
  EXPECT_EQ(l.buttons[0].result, ResultOk);
}

TEST(MessageDialogLayout, LongAndManyLinesGrowTheDialog) {
  const std::string wide(50, 'w');  // 300 pixels
  MessageDialogLayout l =
      ComputeMessageDialogLayout("x\r\n" + wide + "\r\ny\r\nz\r\n", MsgYesNo | MsgIconQuestion, SixPerChar);
  EXPECT_EQ(l.lineCount, 6);  // five lines, the last one empty
  EXPECT_EQ(l.width, 50 + 300 + 10);
  EXPECT_EQ(l.height, 20 * 6 + 55);
  EXPECT_EQ(l.buttons[0].rect.y, l.height - 70);
  // A style above 6 leaves room for an icon even when it names none.
  MessageDialogLayout noIcon = ComputeMessageDialogLayout("m", static_cast<MessageStyle>(7), SixPerChar);
  EXPECT_EQ(noIcon.text.x, 50);
  EXPECT_EQ(noIcon.iconKind, 0);
  EXPECT_EQ(noIcon.buttons.size(), 1u);  // set 7 is shown as set 0
}

TEST(MessageDialogLayout, ButtonSetsAndTheirResults) {
  MessageDialogLayout okCancel = ComputeMessageDialogLayout("m", MsgOkCancel, SixPerChar);
  ASSERT_EQ(okCancel.buttons.size(), 2u);
  EXPECT_EQ(okCancel.buttons[0].result, ResultYes);  // 6, not 1
  EXPECT_EQ(okCancel.buttons[1].caption, "&Cancel");
  EXPECT_EQ(okCancel.buttons[1].result, ResultNo);   // 7, not 2

  MessageDialogLayout three = ComputeMessageDialogLayout("m", MsgYesNoCancel, SixPerChar);
  ASSERT_EQ(three.buttons.size(), 3u);
  EXPECT_EQ(three.buttons[2].caption, "Cancel");
  EXPECT_EQ(three.buttons[2].rect.x, 140);
  EXPECT_EQ(three.buttons[2].result, ResultCancel);
  EXPECT_TRUE(three.buttons[0].hasFocus);
  EXPECT_EQ(MessageDialogEscapeResult, ResultNo);
}

TEST(MessageDialogLayout, PlacementCentresOnTheOwnerOrClampsAGivenPlace) {
  EXPECT_EQ(PlaceMessageDialog(220, 120, 0, 0, {100, 50, 501, 300}), (DialogRect{241, 140, 220, 120}));
  EXPECT_EQ(PlaceMessageDialog(220, 120, -5, 30, {100, 50, 500, 300}), (DialogRect{0, 30, 220, 120}));
}

TEST(InputDialogLayout, EmptyTextsGiveTheMinimumDialog) {
  InputDialogLayout l = ComputeInputDialogLayout("", "", "", SixPerChar, {0, 0, 800, 600});
  EXPECT_EQ(l.innerWidth, 150);
  EXPECT_EQ(l.dialog, (DialogRect{325, 150, 190, 120}));
  EXPECT_EQ(l.edit, (DialogRect{5, 15, 135, 20}));
  EXPECT_EQ(l.okButton, (DialogRect{70, 50, 80, 30}));
  // An owner the window manager put at (200, 90): the same offsets from its corner.
  EXPECT_EQ(ComputeInputDialogLayout("", "", "", SixPerChar, {200, 90, 800, 600}).dialog,
            (DialogRect{525, 240, 190, 120}));
}

TEST(InputDialogLayout, PromptDefaultAndTitleWidths) {
  // "Section number:" and its blank are 96 pixels; no default answer gives a
  // 130-pixel edit box, which starts a blank after the prompt's last character.
  InputDialogLayout l = ComputeInputDialogLayout("Section number:", "Delete Section", "", SixPerChar, {0, 0, 800, 600});
  EXPECT_EQ(l.innerWidth, 226);
  EXPECT_EQ(l.dialog, (DialogRect{287, 150, 266, 120}));
  EXPECT_EQ(l.prompt, (DialogRect{5, 15, 101, 20}));
  EXPECT_EQ(l.edit, (DialogRect{101, 15, 135, 20}));
  EXPECT_GE(l.edit.x - (l.prompt.x + SixPerChar("Section number:")), 6);
  EXPECT_EQ(l.okButton, (DialogRect{146, 50, 80, 30}));
  // A default answer of 25 pixels is given 1.2 times its width, rounded.
  auto fiveWide = [](const std::string& s) { return 5 * static_cast<int>(s.size()); };
  EXPECT_EQ(ComputeInputDialogLayout("", "", "12345", fiveWide, {}).edit.width, 30 + 5);
  // A title wider than prompt and answer sets the width; texts count to 255 characters.
  EXPECT_EQ(ComputeInputDialogLayout("p", std::string(50, 't'), "", SixPerChar, {}).innerWidth, 300);
  EXPECT_EQ(ComputeInputDialogLayout(std::string(300, 'p'), "", "", SixPerChar, {}).prompt.width,
            6 * 256 + 5);
}

TEST(DialogUnits, BaseUnitsAndConversion) {
  auto sevenPerChar = [](const std::string& s) { return 7 * static_cast<int>(s.size()); };
  DialogBaseUnits base = BaseUnitsOf(sevenPerChar, 16);
  EXPECT_EQ(base.x, 7);  // (364 / 26 + 1) / 2
  EXPECT_EQ(base.y, 16);
  // The Preferences list: 70 * 7 / 4 = 122.5 rounds up.
  EXPECT_EQ(DialogUnitsToPixels({70, 10, 40, 90}, base), (DialogRect{123, 20, 70, 180}));
  EXPECT_EQ(FontPixelHeight(10, 96), 13);
  EXPECT_EQ(FontPixelHeight(14, 72), 14);
}

TEST(DialogTemplates, PreferencesOpensWithTheValuesInForce) {
  DialogTemplate t = PreferencesDialogTemplate({5, true});
  const DialogControl& list = t.controls[1];
  ASSERT_EQ(list.items.size(), 7u);
  EXPECT_EQ(list.items[list.selected], " 5");
  EXPECT_EQ(DigitsOfListEntry(list.items[list.selected]), 5);
  EXPECT_TRUE(t.controls[2].checked);
  EXPECT_FALSE(PreferencesDialogTemplate({0, false}).controls[2].checked);
  EXPECT_EQ(DigitsOfListEntry("6"), -1);
  EXPECT_EQ(DigitsOfListEntry(" 7"), -1);
  // Three result lines stand 15 units apart.
  EXPECT_EQ(ResultDialogTemplate("Property Calculations", {"a", "b", "c"}).controls[2].rect,
            (DialogRect{20, 40, 250, 15}));
}

}  // namespace
