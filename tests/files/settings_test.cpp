#include "files/settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "files_fixture.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class SettingsTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    FormDataFolder();
  }
  // Reads text as the settings file, starting from settings that differ from both
  // the defaults and the text.
  void ReadFrom(const std::string& text) {
    WriteText(SettingsFilePath(), text);
    Shared.SigDigits = 5;
    Shared.OpenLastFile = 0;
    Shared.CurrentFile = "before.sec";
    ReadSettings();
  }
};

TEST_F(SettingsTest, DataFolderIsCreatedUnderThePlatformFolder) {
  EXPECT_EQ(Shared.DataFolder, Path("Tessivane/Velmora/"));
  EXPECT_TRUE(std::filesystem::is_directory(Shared.DataFolder));
  EXPECT_EQ(SettingsFilePath(), Path("Tessivane/Velmora/Velmora.ini"));
  EXPECT_FALSE(std::filesystem::exists(SettingsFilePath())) << "no settings until a write";
}

TEST_F(SettingsTest, MakeFolderPathCreatesEveryLevel) {
  EXPECT_TRUE(MakeFolderPath(Path("a/b/c/")));
  EXPECT_TRUE(std::filesystem::is_directory(Path("a/b/c")));
  EXPECT_TRUE(MakeFolderPath(Path("a/b/c")));  // already there
  WriteText(Path("plain"), "x");
  EXPECT_FALSE(MakeFolderPath(Path("plain/d")));  // a file is in the way
}

TEST_F(SettingsTest, WritesThreeCrLfLinesAndReadsThemBack) {
  Shared.SigDigits = 5;
  Shared.OpenLastFile = 1;
  Shared.CurrentFile = "/home/eng/beams, 2024/I \"300\".sec";
  ASSERT_TRUE(WriteSettings());
  EXPECT_EQ(ReadText(SettingsFilePath()),
            "5\r\n1\r\n\"/home/eng/beams, 2024/I \"300\".sec\"\r\n");
  const std::string name = Shared.CurrentFile;
  Shared = SharedState{};
  Shared.DataFolder = Path("Tessivane/Velmora/");
  ReadSettings();
  EXPECT_EQ(Shared.SigDigits, 5);
  EXPECT_EQ(Shared.OpenLastFile, 1);
  EXPECT_EQ(Shared.CurrentFile, name);
}

TEST_F(SettingsTest, TheLastFileIsOpenedOnlyWhenAskedFor) {
  ReadFrom("2\r\n0\r\n\"/data/beam.sec\"\r\n");
  EXPECT_EQ(Shared.SigDigits, 2);
  EXPECT_EQ(Shared.CurrentFile, "before.sec");
  ReadFrom("2,1,\"/data/beam.sec\"\n");  // one line, commas between the fields
  EXPECT_EQ(Shared.OpenLastFile, 1);
  EXPECT_EQ(Shared.CurrentFile, "/data/beam.sec");
}

TEST_F(SettingsTest, HandEditedValuesAreRepairedOneByOne) {
  ReadFrom("9\r\n1\r\n\"/x.sec\"\r\n");
  EXPECT_EQ(Shared.SigDigits, 3);
  EXPECT_EQ(Shared.OpenLastFile, 1);
  EXPECT_EQ(Shared.CurrentFile, "/x.sec");

  ReadFrom("four\r\n1\r\n\"/x.sec\"\r\n");
  EXPECT_EQ(Shared.SigDigits, 3);
  EXPECT_EQ(Shared.OpenLastFile, 1);

  ReadFrom("-1\r\nyes\r\n\"/x.sec\"\r\n");
  EXPECT_EQ(Shared.SigDigits, 3);
  EXPECT_EQ(Shared.OpenLastFile, 0);
  EXPECT_EQ(Shared.CurrentFile, "before.sec");

  ReadFrom(" 6 \r\n");  // the other lines missing
  EXPECT_EQ(Shared.SigDigits, 6);
  EXPECT_EQ(Shared.OpenLastFile, 0);
  EXPECT_EQ(Shared.CurrentFile, "before.sec");

  ReadFrom("0\r\n1\r\n");  // no file line
  EXPECT_EQ(Shared.SigDigits, 0);
  EXPECT_EQ(Shared.OpenLastFile, 1);
  EXPECT_EQ(Shared.CurrentFile, "before.sec");

  ReadFrom("");
  EXPECT_EQ(Shared.SigDigits, 3);
  EXPECT_EQ(Shared.OpenLastFile, 0);
}

TEST_F(SettingsTest, AMissingFileChangesNothing) {
  Shared.SigDigits = 5;
  Shared.CurrentFile = "keep.sec";
  ReadSettings();
  EXPECT_EQ(Shared.SigDigits, 5);
  EXPECT_EQ(Shared.CurrentFile, "keep.sec");
}

TEST_F(SettingsTest, AFailedWriteSaysSoAndNoFolderMeansNoSettings) {
  std::filesystem::remove_all(Shared.DataFolder);
  EXPECT_FALSE(WriteSettings());
  ASSERT_EQ(Events().size(), 1u);
  EXPECT_NE(Events()[0].text.find(SettingsFilePath()), std::string::npos);

  Platform().ClearEvents();
  Shared.DataFolder.clear();
  EXPECT_EQ(SettingsFilePath(), "");
  EXPECT_FALSE(WriteSettings());
  EXPECT_TRUE(Events().empty());
}

}  // namespace
