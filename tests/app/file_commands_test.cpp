// The File and Help menus and the close protocol: what is written, what is kept
// when something fails, and what the user is asked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/dispatch.h"
#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/program_info.h"
#include "app/program_state.h"
#include "app/window_actions.h"
#include "files/section_file.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "support/table_builder.h"
#include "support/temp_folder_test.h"

namespace {

class FileCommandsTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    StartUp("");
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  static std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Answer(DialogAnswer::Kind kind, const std::string& text = "") {
    platform_->QueueAnswer({kind, text});
  }
  // The drawing the user has on screen: a closed square, unsaved.
  void DrawSquare() {
    AddPolygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    Shared.FileChanged = true;
  }
  std::vector<PlatformEvent> Boxes() const {
    std::vector<PlatformEvent> out;
    for (const PlatformEvent& e : platform_->Events())
      if (e.kind == PlatformEvent::MessageBox) out.push_back(e);
    return out;
  }
};

TEST_F(FileCommandsTest, AnOpenThatCannotReadKeepsTheDrawingAndItsUnsavedChanges) {
  DrawSquare();
  Shared.CurrentFile = Path("mine.sec");
  bool openDuringDialog = false;
  platform_->SetListener([&](const PlatformEvent& e) {
    if (e.kind == PlatformEvent::OpenFileDialog) openDuringDialog = Dispatch.FileDialogOpen;
  });
  Answer(DialogAnswer::File, Path("missing.sec"));
  Answer(DialogAnswer::No);  // do not save first
  ChooseMenuItem(MenuOpenFile);
  EXPECT_TRUE(openDuringDialog);
  EXPECT_FALSE(Dispatch.FileDialogOpen);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].caption, "Error");
  EXPECT_EQ(Table.nodeCount, 4);
  EXPECT_EQ(Table.sections[1].flags, Complete);
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_EQ(Shared.CurrentFile, Path("mine.sec"));
}

TEST_F(FileCommandsTest, OpenSavesFirstOrOpensNothingWhenTheChangesCannotBeSaved) {
  AddPolygon({{0, 0}, {4, 0}, {0, 3}});
  Shared.CurrentFile = Path("other.sec");
  Shared.FileChanged = true;
  ASSERT_TRUE(WriteSectionFile());
  ResetTables();
  Shared.CurrentFile.clear();

  // Yes without a file name asks for one; cancelling that opens nothing.
  DrawSquare();
  Answer(DialogAnswer::File, Path("other.sec"));
  Answer(DialogAnswer::Yes);
  Answer(DialogAnswer::Cancel);
  ChooseMenuItem(MenuOpenFile);
  EXPECT_EQ(platform_->Events().back().kind, PlatformEvent::SaveFileDialog);
  EXPECT_EQ(Table.nodeCount, 4);
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_FALSE(Dispatch.FileDialogOpen);

  // Yes with a file name saves there, then opens.
  Shared.CurrentFile = Path("square.sec");
  Answer(DialogAnswer::File, Path("other.sec"));
  Answer(DialogAnswer::Yes);
  ChooseMenuItem(MenuOpenFile);
  EXPECT_EQ(std::filesystem::file_size(Path("square.sec")), 25u + 14 + 4 * 12);
  EXPECT_EQ(Table.nodeCount, 3);
  EXPECT_EQ(Shared.CurrentFile, Path("other.sec"));
}

TEST_F(FileCommandsTest, SaveWritesTheFileAndTheSettingsEvenWhenNothingChanged) {
  AddPolygon({{0, 0}, {4, 0}, {0, 3}});
  Shared.CurrentFile = Path("tri.sec");
  Answer(DialogAnswer::Yes);
  ChooseMenuItem(MenuSave);
  EXPECT_EQ(std::filesystem::file_size(Path("tri.sec")), 25u + 14 + 3 * 12);
  EXPECT_EQ(ReadText(Shared.DataFolder + "Velmora.ini"), "3\r\n0\r\n\"" + Path("tri.sec") + "\"\r\n");
  EXPECT_FALSE(Shared.FileChanged);
}

TEST_F(FileCommandsTest, FailedSavesSayWhyAndKeepTheChanges) {
  DrawSquare();
  Shared.CurrentFile = Path("mine.sec");
  // Save As into a folder that does not exist: refused, and the tables still
  // belong to mine.sec.
  Answer(DialogAnswer::File, Path("gone/beam.sec"));
  ChooseMenuItem(MenuSaveAs);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "Error");
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_EQ(Shared.CurrentFile, Path("mine.sec"));
  EXPECT_FALSE(std::filesystem::exists(Shared.DataFolder + "Velmora.ini"));

  // Save onto a folder.
  std::filesystem::create_directories(Path("a folder.sec"));
  Shared.CurrentFile = Path("a folder.sec");
  Answer(DialogAnswer::Yes);
  ChooseMenuItem(MenuSave);
  EXPECT_EQ(Boxes().back().caption, "Error");
  EXPECT_TRUE(Shared.FileChanged);
}

TEST_F(FileCommandsTest, PreferencesOkWritesTheSettingsAndCloseChangesNothing) {
  Answer(DialogAnswer::Close);
  ChooseMenuItem(MenuPreferences);
  EXPECT_EQ(Shared.SigDigits, 3);
  EXPECT_FALSE(std::filesystem::exists(Shared.DataFolder + "Velmora.ini"));
  Answer(DialogAnswer::Text, "5,1");
  ChooseMenuItem(MenuPreferences);
  EXPECT_EQ(platform_->Events().back().prefsShown.sigDigits, 3);
  EXPECT_EQ(Shared.SigDigits, 5);
  EXPECT_EQ(Shared.OpenLastFile, 1);
  EXPECT_EQ(ReadText(Shared.DataFolder + "Velmora.ini"), "5\r\n1\r\n\"\"\r\n");
}

TEST_F(FileCommandsTest, PreferencesWithoutADataFolderSaySoAndStillApply) {
  HeadlessPlatform noFolder("");
  SetPlatform(&noFolder);
  StartUp("");
  noFolder.QueueAnswer({DialogAnswer::Text, "0"});
  ChooseMenuItem(MenuPreferences);
  EXPECT_EQ(Shared.SigDigits, 0);
  ASSERT_EQ(noFolder.Events().size(), 2u);
  EXPECT_EQ(noFolder.Events()[1].caption, "Preferences");
  SetPlatform(platform_.get());
}

TEST_F(FileCommandsTest, CloseProtocol) {
  // Unchanged: nothing asked; the output window goes, the hook is removed and the
  // program ends.
  AppendOutputLine("x");
  Output.open = true;
  EXPECT_TRUE(CloseMainWindow());
  EXPECT_FALSE(Output.open);
  EXPECT_TRUE(platform_->QuitRequested());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_FALSE(PressKey({Key::C}).has_value());

  // Yes with no file name, whose Save As is cancelled, keeps window and data.
  platform_->Reset();
  DrawSquare();
  Answer(DialogAnswer::Yes);
  Answer(DialogAnswer::Cancel);
  ChooseMenuItem(MenuExit);
  EXPECT_FALSE(platform_->QuitRequested());
  EXPECT_EQ(Table.nodeCount, 4);
  EXPECT_TRUE(Shared.FileChanged);
}

TEST_F(FileCommandsTest, SaveIfChangedAsksOnlyWhenChangedAndHonoursEachAnswer) {
  DrawSquare();
  Shared.FileChanged = false;
  EXPECT_EQ(SaveIfChanged(), 0);
  EXPECT_TRUE(Boxes().empty());

  Shared.FileChanged = true;
  Shared.CurrentFile = Path("q.sec");
  Answer(DialogAnswer::Cancel);
  EXPECT_EQ(SaveIfChanged(), 1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "File has changed...\nSave the file?");
  EXPECT_EQ(Boxes()[0].caption, "Save File");
  EXPECT_EQ(Boxes()[0].style, MsgYesNoCancel | MsgIconQuestion);

  Answer(DialogAnswer::No);
  EXPECT_EQ(SaveIfChanged(), 0);
  EXPECT_FALSE(std::filesystem::exists(Path("q.sec")));
  EXPECT_TRUE(Shared.FileChanged);

  Answer(DialogAnswer::Yes);
  EXPECT_EQ(SaveIfChanged(), 0);
  EXPECT_EQ(ReadText(Path("q.sec")).size(), 87u);
  EXPECT_FALSE(Shared.FileChanged);

  // Yes with a save that fails keeps the program and the changes alive.
  Shared.CurrentFile = Path("missing folder/q.sec");
  Shared.FileChanged = true;
  Answer(DialogAnswer::Yes);
  EXPECT_EQ(SaveIfChanged(), 1);
  EXPECT_TRUE(Shared.FileChanged);
}

TEST_F(FileCommandsTest, SaveIfChangedWithoutAFileRunsSaveAsAndChecksItsOutcome) {
  DrawSquare();
  Shared.CurrentFile.clear();
  Answer(DialogAnswer::Yes);
  Answer(DialogAnswer::Cancel);  // the Save As dialog
  EXPECT_EQ(SaveIfChanged(), 1) << "a cancelled Save As saved nothing";
  EXPECT_TRUE(Shared.FileChanged);

  Answer(DialogAnswer::Yes);
  Answer(DialogAnswer::File, Path("named.sec"));
  EXPECT_EQ(SaveIfChanged(), 0);
  EXPECT_EQ(Shared.CurrentFile, Path("named.sec"));
  EXPECT_EQ(ReadText(Path("named.sec")).size(), 87u);
}

TEST_F(FileCommandsTest, HelpPrefersTheDataFolderFileThenThePage) {
  ChooseMenuItem(MenuHelp);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "Help");

  std::filesystem::create_directories(Path("prefix/bin"));
  std::filesystem::create_directories(Path("prefix/share/kelvarin"));
  std::ofstream(Path("prefix/share/kelvarin/") + HelpPageName) << "<html></html>";
  EXPECT_EQ(FindHelpPage(Path("prefix/bin/")), Path("prefix/share/kelvarin/") + HelpPageName);
  EXPECT_EQ(FindHelpPage(Path("prefix/")), Path("prefix/share/kelvarin/") + HelpPageName);
  EXPECT_EQ(FindHelpPage(""), "");
  platform_->SetProgramFolder(Path("prefix/bin"));
  ChooseMenuItem(MenuHelp);
  EXPECT_EQ(platform_->Events().back().kind, PlatformEvent::Help);
  EXPECT_EQ(platform_->Events().back().style, static_cast<int>(HelpViewer::HelpWindow));

  std::ofstream(Shared.DataFolder + "Velmora.chm") << "chm";
  ChooseMenuItem(MenuHelp);
  EXPECT_EQ(platform_->Events().back().text, Shared.DataFolder + "Velmora.chm");
  EXPECT_EQ(platform_->Events().back().style, static_cast<int>(HelpViewer::Desktop));
}

TEST(ProgramInfo, CommandLineAndTexts) {
  EXPECT_EQ(VersionText(), "kelvarin 1.2.3\n");
  EXPECT_EQ(ReadProgramArguments({"--version"}).action, ProgramArguments::ShowVersion);
  EXPECT_EQ(ReadProgramArguments({"a.sec", "-h"}).action, ProgramArguments::ShowUsage);
  EXPECT_EQ(ReadProgramArguments({"-x"}).action, ProgramArguments::Refuse);
  ProgramArguments file = ReadProgramArguments({"my", "beam.sec"});
  EXPECT_EQ(file.action, ProgramArguments::Run);
  EXPECT_EQ(file.fileText, "my beam.sec");
  EXPECT_EQ(ReadProgramArguments({"--", "--help"}).fileText, "--help");
}

// The installed page documents every BuildPanel item and every menu item.
TEST(ProgramInfo, HelpPageCoversThePanelAndTheMenus) {
  const std::string page = FindHelpPage(KELVARIN_BUILD_FOLDER);
  ASSERT_FALSE(page.empty());
  std::ifstream in(page);
  std::stringstream text;
  text << in.rdbuf();
  const std::string html = text.str();
  for (int i = 1; i <= BuildPanelCount; ++i) {
    std::string item = ItemText(ItemAt(i));
    item = item.substr(item.find_first_not_of(' '));
    EXPECT_NE(html.find(">" + item + "<"), std::string::npos) << item;
  }
  for (const MenuDef& menu : MainMenus()) {
    for (const MenuItemDef& item : menu.items) {
      if (item.id == 0) continue;
      std::string caption;
      for (const char* c = item.caption; *c; ++c)
        if (*c != '&') caption += *c;
      EXPECT_NE(html.find(">" + caption + "<"), std::string::npos) << caption;
    }
  }
}

}  // namespace
