// Edits that must change exactly what the user changed, and refusals that must name
// their real cause.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/window_actions.h"
#include "files/section_file.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "support/entry_fixture.h"
#include "support/table_builder.h"

namespace {

using EditTrustTest = EntryTest;

TEST_F(EditTrustTest, AnEditAcceptedAsShownChangesNoStoredValue) {
  // Values whose seven-digit text does not read back to the same single value.
  const float third = 1.0f / 3, ninth = 1.0f / 9;
  Nodes({{third, ninth}, {10, 0}, {10, 10}});
  Click(9);
  Ok("");
  AddArcSegment(third, 2, 7.0 / 3, 10.0 / 3, 80, 1);
  Shared.FileChanged = false;
  const std::vector<std::uint8_t> before = EncodeSectionFile();

  Click(15);
  Ok("1");
  ASSERT_EQ(Panel.heading, "Change values");
  Ok(Panel.inputLine);  // accepted as shown
  Click(15);
  Ok(",2");
  Ok(Panel.inputLine);
  Ok(Panel.inputLine);
  EXPECT_EQ(EncodeSectionFile(), before);
  EXPECT_FALSE(Shared.FileChanged);

  // One field changed: only that value moves, the others keep every bit.
  Click(15);
  Ok("1");
  Ok(" 0.3333333, 0.5, 0");
  EXPECT_EQ(std::bit_cast<std::uint32_t>(Table.nodes[1].x), std::bit_cast<std::uint32_t>(third));
  EXPECT_EQ(Table.nodes[1].y, 0.5f);
  EXPECT_TRUE(Shared.FileChanged);
}

TEST_F(EditTrustTest, ARefusedReflectionAfterAPhantomPointNamesTheNodes) {
  std::vector<std::pair<double, double>> corners;
  for (int i = 0; i < 130; ++i) corners.push_back({i, i % 2});
  corners.push_back({0, 5});
  AddPolygon(corners);
  Click(26);
  Ok("1, 1");  // a phantom point: phantom entry is on
  ASSERT_EQ(Table.lowestPhantom, 250);
  platform.ClearEvents();
  ChooseMenuItem(MenuXReflection);
  auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            "Cannot add more nodes: 131 point slots are needed and 118 are free below the "
            "phantom points");
  EXPECT_EQ(Table.sectionCount, 1);
}

TEST_F(EditTrustTest, ARestoredSectionMarksTheFileChangedOnlyWhenItWasDeleted) {
  AddCircle(0, 0, 1);
  Shared.FileChanged = false;
  platform.QueueAnswer({DialogAnswer::Text, "1"});
  ChooseMenuItem(MenuRestoreSection);
  EXPECT_FALSE(Shared.FileChanged);  // nothing was deleted: nothing changed
  Table.sections[1].flags |= Deleted;
  platform.QueueAnswer({DialogAnswer::Text, "1"});
  ChooseMenuItem(MenuRestoreSection);
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_FALSE(Table.sections[1].flags & Deleted);
}


// A fixed-radius phantom step whose circle meets the line twice stores the second
// meeting point below the reserved slot; refused as out of range, it gives both
// slots back empty, as the node entry does. (The steps of a fuzzed session.)
TEST_F(EditTrustTest, ARefusedPhantomStepLeavesNoPointInTheSlotsItGivesBack) {
  for (const char* step : {"c26", "1", "0,3e38,0", "2,3e38,0", "c20", "c1", "c27", "2;0", "c28", "u",
                           "c29", "2/90", "c30", "c31", "2", "x=/", "c32", "", "1", "c21",
                           "0,3e38,0", "2,3e38,0", "c20", "c1", "c29", "2/91", "c30", "1/", "c31",
                           "2", "x=/"}) {
    if (step[0] == 'c') {
      Click(std::atoi(step + 1));
    } else {
      Ok(step);
    }
  }
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(Messages().back().text, "Coordinates out of range");
  for (int k = Table.nodeCount + 1; k < Table.lowestPhantom; ++k)
    EXPECT_TRUE(Table.nodes[k] == (Node{0, 0})) << "slot " << k;
}

}  // namespace
