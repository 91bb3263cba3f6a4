// Start-up as the window does it: data folder, settings, the empty entry panel, and
// the file from the command line or the settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/dispatch.h"
#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/program_state.h"
#include "files/section_file.h"
#include "files/settings.h"
#include "model/shared_state.h"
#include "support/table_builder.h"
#include "support/temp_folder_test.h"

namespace {

class StartUpTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
  }
  std::string DataFolder() const { return (folder_ / "Tessivane/Velmora/").string(); }
  void WriteSettings(const std::string& text) {
    std::filesystem::create_directories(DataFolder());
    std::ofstream(DataFolder() + "Velmora.ini", std::ios::binary) << text;
  }
  // A closed triangle written as a section file.
  std::string WriteTriangle(const std::string& name) {
    ResetTables();
    AddPolygon({{0, 0}, {4, 0}, {0, 3}});
    Shared.CurrentFile = (folder_ / name).string();
    Shared.FileChanged = true;
    EXPECT_TRUE(WriteSectionFile());
    ResetProgramState();
    platform_->ClearEvents();
    return (folder_ / name).string();
  }
};

TEST_F(StartUpTest, FreshStartCreatesTheDataFolderAndWaitsAtTheOrigin) {
  StartUp("");
  EXPECT_TRUE(std::filesystem::is_directory(DataFolder()));
  EXPECT_EQ(Shared.DataFolder, DataFolder());
  EXPECT_EQ(Dispatch.HelpFile, DataFolder() + "Velmora.chm");
  EXPECT_EQ(Panel.inputLine, "0, 0");
  EXPECT_EQ(Panel.heading, "Polygon Section");
  EXPECT_EQ(Panel.focus, Focus::InputLine);
  EXPECT_FALSE(Panel.menu[MenuAboutCentroid].enabled);
  EXPECT_TRUE(platform_->Events().empty());
  // Keys reach the hook from now on; a reset removes it.
  ASSERT_TRUE(PressKey({Key::C}).has_value());
  EXPECT_EQ(Panel.heading, "Circle section");
  ResetProgramState();
  EXPECT_FALSE(PressKey({Key::C}).has_value());
}

TEST_F(StartUpTest, SettingsKeepTheirDigitsAndLastFile) {
  WriteSettings("5\r\n1\r\n\"/nowhere/beam.sec\"\r\n");
  StartUp("");
  EXPECT_EQ(Shared.SigDigits, 5);
  EXPECT_EQ(Shared.CurrentFile, "/nowhere/beam.sec");
  auto boxes = platform_->Events();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "File not found");
  EXPECT_EQ(boxes[0].caption, "File spec: /nowhere/beam.sec");
  EXPECT_EQ(boxes[0].style, MsgIconWarning);
  EXPECT_EQ(Table.sectionCount, 0);
}

TEST_F(StartUpTest, CommandLineFileIsOpenedWithoutItsQuotes) {
  const std::string path = WriteTriangle("tri angle.sec");
  StartUp("\"" + path + "\"");
  EXPECT_TRUE(platform_->Events().empty());
  EXPECT_EQ(Shared.CurrentFile, path);
  EXPECT_EQ(Table.sectionCount, 1);
  EXPECT_EQ(Table.nodeCount, 3);
  EXPECT_EQ(Panel.inputLine, "");
  EXPECT_EQ(Panel.status2, path);
  EXPECT_TRUE(Panel.menu[MenuAboutCentroid].enabled);
}

TEST_F(StartUpTest, LastFileIsOpenedOnlyWhenTheSettingsSaySo) {
  const std::string path = WriteTriangle("last.sec");
  WriteSettings("3\r\n0\r\n\"" + path + "\"\r\n");
  StartUp("");
  EXPECT_EQ(Table.sectionCount, 0);
  EXPECT_EQ(Panel.inputLine, "0, 0");

  WriteSettings("3\r\n1\r\n\"" + path + "\"\r\n");
  StartUp("");
  EXPECT_EQ(Table.sectionCount, 1);
  EXPECT_EQ(Shared.CurrentFile, path);
}

TEST_F(StartUpTest, ADataFolderThatCannotBeMadeIsReportedAndTheProgramStarts) {
  // A file where the folder chain must go.
  std::ofstream(folder_ / "Tessivane") << "in the way";
  StartUp("");
  ASSERT_EQ(platform_->Events().size(), 1u);
  EXPECT_EQ(platform_->Events()[0].caption, "Error");
  EXPECT_EQ(Panel.inputLine, "0, 0");
  // Saving the settings later says so too, and nothing is lost.
  platform_->ClearEvents();
  EXPECT_FALSE(::WriteSettings());
  EXPECT_EQ(platform_->Events().size(), 1u);
}

}  // namespace
