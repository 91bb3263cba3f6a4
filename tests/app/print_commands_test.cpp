// The output window's "&To Printer ": the platform's print dialog, the question, and
// every line printed.
#include <gtest/gtest.h>

#include "app/print_commands.h"
#include "output/output_window.h"
#include "support/core_test.h"
#include "support/table_builder.h"

namespace {

class ToPrinterTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    platform.SetPrinters({"Office", "Lab"}, "Office");
    for (int i = 1; i <= 70; ++i) Output.lines.push_back("row " + std::to_string(i));
  }
};

TEST_F(ToPrinterTest, OkPrintsEveryLineNotOnlyTheVisibleOnes) {
  platform.QueueAnswer({DialogAnswer::Text, "Lab"});
  platform.QueueAnswer({DialogAnswer::Ok});
  OutputWindowToPrinter();
  const auto asked = EventsOfKind(PlatformEvent::MessageDialog);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, "Connected to Lab");
  EXPECT_EQ(asked[0].caption, "Ready to Print");
  EXPECT_EQ(asked[0].style, MsgOkCancel);
  const auto jobs = EventsOfKind(PlatformEvent::PrintJob);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].pages, 2);  // 65 lines to a page
  EXPECT_EQ(jobs[0].lines, Output.lines);
}

TEST_F(ToPrinterTest, CancelOrNoPrinterPrintsNothing) {
  platform.QueueAnswer({DialogAnswer::Ok});      // the default printer
  platform.QueueAnswer({DialogAnswer::Cancel});  // "Ready to Print" cancelled
  OutputWindowToPrinter();
  platform.QueueAnswer({DialogAnswer::Cancel});  // the print dialog cancelled
  OutputWindowToPrinter();
  platform.QueueAnswer({DialogAnswer::Text, "Gone"});  // a printer that cannot be attached
  OutputWindowToPrinter();
  EXPECT_TRUE(EventsOfKind(PlatformEvent::PrintJob).empty());
  const auto messages = EventsOfKind(PlatformEvent::MessageDialog);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].text, "Printer connection failed");
  EXPECT_EQ(messages[1].caption, "");
  EXPECT_EQ(messages[2].text, "Printer connection failed");
}

}  // namespace
