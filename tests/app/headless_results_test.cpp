// What each button set returns for each answer, for the platform's box and for the
// program's own MessageDialog.
#include <gtest/gtest.h>

#include "headless/headless_platform.h"

namespace {

using K = DialogAnswer::Kind;

TEST(HeadlessResults, MessageDialogButtonSets) {
  // Set 0: the lone Ok gives 1; Escape and the close box give 7.
  EXPECT_EQ(MessageDialogResult(MsgOk | MsgIconError, K::Ok), 1);
  EXPECT_EQ(MessageDialogResult(MsgOk, K::Close), 7);
  // Set 1: Ok 6, Cancel 7 (not 1 and 2).
  EXPECT_EQ(MessageDialogResult(MsgOkCancel, K::Ok), 6);
  EXPECT_EQ(MessageDialogResult(MsgOkCancel, K::Cancel), 7);
  EXPECT_EQ(MessageDialogResult(MsgOkCancel, K::Close), 7);
  // Set 3: only the Cancel button gives 2; Escape gives 7.
  EXPECT_EQ(MessageDialogResult(MsgYesNoCancel, K::Yes), 6);
  EXPECT_EQ(MessageDialogResult(MsgYesNoCancel, K::No), 7);
  EXPECT_EQ(MessageDialogResult(MsgYesNoCancel, K::Cancel), 2);
  EXPECT_EQ(MessageDialogResult(MsgYesNoCancel, K::Close), 7);
  // Set 4 with the question icon (style 36).
  EXPECT_EQ(MessageDialogResult(MsgYesNo | MsgIconQuestion, K::Yes), 6);
  EXPECT_EQ(MessageDialogResult(MsgYesNo | MsgIconQuestion, K::No), 7);
  EXPECT_EQ(MessageDialogResult(MsgYesNo | MsgIconQuestion, K::Close), 7);
  // Any other set behaves as set 0.
  EXPECT_EQ(MessageDialogResult(static_cast<MessageStyle>(2), K::Ok), 1);
  EXPECT_EQ(MessageDialogButtons(static_cast<MessageStyle>(2)), std::vector<std::string>{"&Ok"});
  EXPECT_EQ(MessageDialogButtons(MsgYesNo | MsgIconWarning), (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_EQ(MessageDialogButtons(MsgYesNoCancel), (std::vector<std::string>{"&Yes", "&No", "Cancel"}));
}

TEST(HeadlessResults, PlatformMessageBoxButtonSets) {
  EXPECT_EQ(MessageBoxResult(MsgOk, K::Close), 1);
  EXPECT_EQ(MessageBoxResult(MsgOkCancel, K::Ok), 1);
  EXPECT_EQ(MessageBoxResult(MsgOkCancel, K::Close), 2);
  EXPECT_EQ(MessageBoxResult(MsgYesNoCancel, K::Yes), 6);
  EXPECT_EQ(MessageBoxResult(MsgYesNoCancel, K::No), 7);
  EXPECT_EQ(MessageBoxResult(MsgYesNoCancel, K::Close), 2);
  EXPECT_EQ(MessageBoxResult(MsgYesNo | MsgIconQuestion, K::Yes), 6);
  EXPECT_EQ(MessageBoxResult(MsgYesNo, K::Close), 7);
}

TEST(HeadlessResults, UnansweredDialogsAreClosed) {
  HeadlessPlatform platform;
  EXPECT_EQ(platform.MessageDialog("Begin again?", MsgYesNo | MsgIconWarning, "Clear Screen", false, 0, 0), 7);
  EXPECT_EQ(platform.InputDialog("Section number:", "Delete Section", ""), "");
  platform.QueueAnswer({K::Text, "3"});
  EXPECT_EQ(platform.InputDialog("Section number:", "Delete Section", ""), "3");
  ASSERT_EQ(platform.Events().size(), 3u);
  EXPECT_FALSE(platform.Events()[0].answered);
  EXPECT_FALSE(platform.Events()[1].answered);
  EXPECT_TRUE(platform.Events()[2].answered);
}

}  // namespace
