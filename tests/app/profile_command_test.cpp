// File / Add Profile: the profile goes beside what is drawn, and the paths users take
// by accident leave the tables sound: an open polygon, an entry left after its first
// line, Cancel, a point that does not fit, tables that are not installed.
#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/menu_ids.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "support/entry_fixture.h"
#include "support/table_builder.h"

namespace {

class ProfileCommandTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    platform.SetProgramFolder(KELVARIN_BUILD_FOLDER);
  }
  void AddProfileAnswering(DialogAnswer answer) {
    platform.QueueAnswer(std::move(answer));
    MainWindowCommand(MenuAddProfile);
  }
  const PlatformEvent* Dialog() const {
    for (const PlatformEvent& e : platform.Events())
      if (e.kind == PlatformEvent::AddProfile) return &e;
    return nullptr;
  }
};

TEST_F(ProfileCommandTest, AddsTheProfileBesideTheDrawingAndOpensOnItNextTime) {
  AddPolygon({{-100, -20}, {100, -20}, {100, 0}, {-100, 0}});  // a plate
  SectionTable expected = Table;
  AddRolledISection(300, 150, 7.1, 10.7, 15);  // IPE 300 standing on it
  std::swap(expected, Table);
  Shared.FileChanged = false;

  AddProfileAnswering({DialogAnswer::Text, "ipe300 | 0, 150"});
  ASSERT_NE(Dialog(), nullptr);
  EXPECT_EQ(Dialog()->answer, "IPE 300 at 0, 150, turned 0, in mm");
  EXPECT_TRUE(Table == expected);
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_FALSE(Shared.ResultsCurrent);

  // Ok alone takes what the dialog shows: the size added last, at 0, 0.
  platform.ClearEvents();
  AddProfileAnswering({DialogAnswer::Ok});
  EXPECT_EQ(Dialog()->answer, "IPE 300 at 0, 0, turned 0, in mm");
  EXPECT_EQ(Table.sectionCount, 3);
}

TEST_F(ProfileCommandTest, AccidentalPathsLeaveTheTablesSound) {
  // A polygon being drawn: the dialog does not open.
  Nodes({{0, 0}, {10, 0}});
  AddProfileAnswering({DialogAnswer::Text, "HEB 200"});
  EXPECT_EQ(Dialog(), nullptr);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Must close polygon first");
  EXPECT_EQ(Table.sectionCount, 1);
  platform.ClearAnswers();

  // An arc's first line, then the profile: the half-made arc goes, and the second
  // line typed afterwards starts a new entry instead of writing into the profile.
  StartPolygon();
  Click(12);
  Ok("0,0,5");
  ASSERT_EQ(Table.sectionCount, 1);
  AddProfileAnswering({DialogAnswer::Text, "HEB 200|0,0|90|cm"});
  ASSERT_EQ(Table.sectionCount, 1);
  EXPECT_EQ(KindOf(Table.sections[1]), SectionKind::Polygon);
  const SectionTable withProfile = Table;
  Ok("10,80,1");
  for (int n = Table.sections[1].firstNode; n <= Table.sections[1].lastNode; ++n) {
    EXPECT_TRUE(Table.nodes[n] == withProfile.nodes[n]) << n;
    EXPECT_TRUE(Table.params[n] == withProfile.params[n]) << n;
  }
  Ok("0,90,1");
  ASSERT_EQ(Table.sectionCount, 2);

  // Cancel, a point beyond single precision and a turn the dialog does not offer
  // change nothing.
  const SectionTable before = Table;
  Shared.FileChanged = false;
  platform.ClearEvents();
  AddProfileAnswering({DialogAnswer::Cancel});
  AddProfileAnswering({DialogAnswer::Text, "IPE 300|1e40,0"});
  AddProfileAnswering({DialogAnswer::Text, "IPE 300|0,0|45"});
  EXPECT_TRUE(Table == before);
  EXPECT_FALSE(Shared.FileChanged);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].caption, "Add Profile");

  // Tables that are not installed are named, and nothing opens.
  platform.SetProgramFolder("");
  platform.ClearEvents();
  AddProfileAnswering({DialogAnswer::Ok});
  EXPECT_EQ(Dialog(), nullptr);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "The profile tables (share/kelvarin/profiles) are not installed.");
}

}  // namespace
