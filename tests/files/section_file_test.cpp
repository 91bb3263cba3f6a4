#include "app/report_window.h"
#include "app/program_state.h"
#include "files/section_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "files/settings.h"
#include "files/table_invariants.h"
#include "files_fixture.h"
#include "model/properties.h"
#include "support/table_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void PutI32(Bytes& b, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
std::int32_t GetI32(const Bytes& b, std::size_t at) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
  return static_cast<std::int32_t>(u);
}

void AddSquare() { FilesTest::AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}); }

// Polygon 1-4 with a fillet at node 3, then a circle in slot 5.
void AddFilletAndCircle() {
  FilesTest::AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  Table.params[3].c = {1, 9, 9, 1, 0, 90, 10, 9, 9, 10};
  FilesTest::AddSingle(SectionKind::Circle, {0, 20, 5, 2});
}

bool SameTables(const SectionTable& a, const SectionTable& b) {
  if (a.sectionCount != b.sectionCount || a.nodeCount != b.nodeCount) return false;
  for (int s = 1; s <= a.sectionCount; ++s) {
    const Section &x = a.sections[s], &y = b.sections[s];
    if (x.kind != y.kind || x.flags != y.flags || x.firstNode != y.firstNode ||
        x.lastNode != y.lastNode ||
        std::bit_cast<std::uint32_t>(x.weight) != std::bit_cast<std::uint32_t>(y.weight))
      return false;
  }
  for (int k = 1; k <= a.nodeCount; ++k) {
    if (a.nodes[k].x != b.nodes[k].x || a.nodes[k].y != b.nodes[k].y) return false;
    if (a.params[k].c != b.params[k].c) return false;
  }
  return true;
}

class SectionFileTest : public FilesTest {
 protected:
  // Writes the tables to name as the Save command does.
  bool Save(const std::string& name) {
    Shared.CurrentFile = Path(name);
    Shared.FileChanged = true;
    return WriteSectionFile();
  }
  // Empties the tables and reads name as the Open command does.
  bool Open(const std::string& name) {
    ResetTables();
    Shared.CurrentFile = Path(name);
    return ReadSectionFile().ok;
  }
  void ExpectWrongFileType(const Bytes& bytes) {
    WriteAll(Path("bad.sec"), bytes);
    Platform().ClearEvents();
    EXPECT_FALSE(Open("bad.sec"));
    ASSERT_EQ(Events().size(), 1u);
    EXPECT_EQ(Events()[0].text, "   Wrong file type   ");
    EXPECT_EQ(Events()[0].caption, "Error");
    EXPECT_EQ(Events()[0].style, MsgOk | MsgIconError);
    EXPECT_EQ(Table.sectionCount, 0);
    EXPECT_EQ(Table.nodeCount, 0);
    EXPECT_EQ(std::int32_t{Table.sections[1].firstNode}, 0);
    EXPECT_EQ(Table.nodes[1].x, 0.0f);
  }
  // The bytes of the fillet-and-circle file.
  Bytes FilletCircleBytes() {
    AddFilletAndCircle();
    return EncodeSectionFile();
  }
};

TEST_F(SectionFileTest, ClosedSquareIsTheExact87ByteFile) {
  AddSquare();
  ASSERT_TRUE(Save("square.sec"));
  const Bytes expected = {
      'V', 'e', 'l', 'm', 'o', 'r', 'a', ' ', '1', '.', '2', '.', '3',
      4, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,                         // N, S, R
      0, 1, 1, 0, 0, 0, 4, 0, 0, 0, 0x00, 0x00, 0x80, 0x3f,       // polygon, complete, 1..4, 1.0
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                         // (0, 0) row 0
      0, 0, 0x20, 0x41, 0, 0, 0, 0, 0, 0, 0, 0,                   // (10, 0)
      0, 0, 0x20, 0x41, 0, 0, 0x20, 0x41, 0, 0, 0, 0,             // (10, 10)
      0, 0, 0, 0, 0, 0, 0x20, 0x41, 0, 0, 0, 0};                  // (0, 10)
  EXPECT_EQ(ReadAll(Path("square.sec")), expected);
  EXPECT_FALSE(Shared.FileChanged);
}

TEST_F(SectionFileTest, FilletAndCircleCarryRowNumbers) {
  AddFilletAndCircle();
  ASSERT_TRUE(Save("fc.sec"));
  const Bytes b = ReadAll(Path("fc.sec"));
  ASSERT_EQ(b.size(), 25u + 14 * 2 + 12 * 5 + 40 * 2);
  EXPECT_EQ(GetI32(b, 21), 2);                  // R
  EXPECT_EQ(b[39], 1);                          // the circle's kind
  EXPECT_EQ(GetI32(b, 41), 5);                  // its firstNode
  EXPECT_EQ(GetI32(b, 45), 2);                  // lastNode holds its row number
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(GetI32(b, 53 + 12 * (k - 1) + 8), k == 3 ? 1 : k == 5 ? 2 : 0) << "slot " << k;
  }
  EXPECT_EQ(GetI32(b, 113 + 12), std::bit_cast<std::int32_t>(1.0f));    // row 1 = node 3's r
  EXPECT_EQ(GetI32(b, 153 + 4), std::bit_cast<std::int32_t>(20.0f));   // row 2 = circle's xc
  // Writing leaves the record in memory alone; reading gives the slot back.
  EXPECT_EQ(std::int32_t{Table.sections[2].lastNode}, 5);
  const SectionTable written = Table;
  ASSERT_TRUE(Open("fc.sec"));
  EXPECT_EQ(std::int32_t{Table.sections[2].lastNode}, 5);
  EXPECT_TRUE(SameTables(Table, written));
}

TEST_F(SectionFileTest, EveryKindRoundTripsWithDeletedAndOffSections) {
  AddPolygon({{0, 0}, {4, 0}, {4, 3}});
  Table.params[2].c = {1, 3.5f, 0.5f, 0.5f, 90, 180, 3.5f, 0, 4, 0.5f};
  AddSingle(SectionKind::Circle, {0, 1, 2, 3});
  AddSingle(SectionKind::ArcSegment, {0, 0, 0, 5, 10, 80, 1});
  int merge = AddSingle(SectionKind::MergeData, {0, 2, 3, 4, 5, 6, 7});
  AddSingle(SectionKind::RadialBlock, {0, 1, 1, 6, 30, 2, 1});
  int deleted = AddPolygon({{20, 20}, {21, 20}, {21, 21}});
  Table.sections[deleted].flags |= Deleted;
  int off = AddSingle(SectionKind::Circle, {0, -1, -2, 0.25f});
  Table.sections[off].flags |= Off;
  Table.sections[off].weight = -1.0f;
  // A copy of merge data shares its source's slot.
  Table.sections[++Table.sectionCount] = Table.sections[merge];
  AddSingle(SectionKind::Circle, {0, 0, 0, 0});  // r = 0: no stored row
  int open = AddPolygon({{5, 5}, {6, 5}}, true);
  Table.CurrentSection = 1;
  const SectionTable written = Table;

  ASSERT_TRUE(Save("all.sec"));
  ASSERT_TRUE(Open("all.sec"));
  EXPECT_TRUE(SameTables(Table, written));
  EXPECT_EQ(Table.CurrentSection, open);
  EXPECT_EQ(TableInvariantFault(), nullptr);
  EXPECT_FALSE(Shared.FileChanged);
  EXPECT_FALSE(Shared.ResultsCurrent);
}

// The largest table the program builds: 100 sections on every node slot below the
// phantom-point gap, every kind, fillets and holes.
TEST_F(SectionFileTest, AFullTableRoundTripsWithItsProperties) {
  BuildFullTable();
  ASSERT_EQ(Table.sectionCount, MaxSections);
  ComputePropertiesSilently();
  const PropertySet before = Calc.props;
  const SectionTable written = Table;
  ASSERT_TRUE(Save("full.sec"));
  ASSERT_TRUE(Open("full.sec"));
  EXPECT_TRUE(SameTables(Table, written));
  EXPECT_EQ(TableInvariantFault(), nullptr);
  ComputePropertiesSilently();
  EXPECT_EQ(std::memcmp(&Calc.props, &before, sizeof before), 0);
}

TEST_F(SectionFileTest, ReadingClearsReflectionBitsAndKeepsPhantomPointsOut) {
  AddSquare();
  int copy = AddPolygon({{0, 0}, {0, -10}, {10, -10}, {10, 0}});
  Table.sections[copy].flags |= XReflectCopy | YReflectCopy;
  Table.nodes[250] = {7, 7};
  Table.lowestPhantom = 250;
  ASSERT_TRUE(Save("r.sec"));
  EXPECT_EQ(ReadAll(Path("r.sec")).size(), 25u + 28 + 96);
  ASSERT_TRUE(Open("r.sec"));
  EXPECT_EQ(Table.sections[copy].flags, Complete);
  EXPECT_EQ(Table.lowestPhantom, TopNode + 1);
}

TEST_F(SectionFileTest, AcceptsOtherVersionsTrailingBytesAndUnusedFlagBits) {
  Bytes b = FilletCircleBytes();
  const SectionTable written = Table;
  std::memcpy(b.data(), "Velmora 9.9.9", 13);
  b[26] |= 0xE0;  // bits 5-7 of the polygon's flags
  b.resize(MaxSectionFileSize + 5000, 0xAB);
  WriteAll(Path("v9.sec"), b);
  ASSERT_TRUE(Open("v9.sec"));
  EXPECT_TRUE(SameTables(Table, written));
  EXPECT_TRUE(Events().empty());
}

TEST_F(SectionFileTest, RefusesFilesWhoseNumbersCannotBeRight) {
  const Bytes good = FilletCircleBytes();
  // Offsets: counts at 13, 17, 21; polygon record at 25, circle record at 39; node
  // entries from 53 (row numbers at +8); rows from 113.
  struct Case {
    const char* what;
    std::size_t at;
    std::int32_t value;
  };
  const Case cases[] = {
      {"negative N", 13, -1},           {"negative S", 17, -1},
      {"negative R", 21, -1},           {"N past the node slots", 13, 251},
      {"more than 100 sections", 17, 101}, {"R above N", 21, 6},
      {"polygon starts at slot 0", 27, 0}, {"polygon ends past N", 31, 6},
      {"polygon range reversed", 27, 5},  {"circle slot 0", 41, 0},
      {"circle slot past N", 41, 6},      {"circle slot inside the polygon", 41, 4},
      {"record row above R", 45, 3},      {"record row negative", 45, -1},
      {"node row above R", 53 + 8, 3},    {"node row negative", 53 + 24 + 8, -7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes b = good;
    PutI32(b, c.at, c.value);
    ExpectWrongFileType(b);
  }
  {
    SCOPED_TRACE("unknown kind");
    Bytes b = good;
    b[39] = 5;
    ExpectWrongFileType(b);
  }
  {
    SCOPED_TRACE("polygon after the circle's slot overlaps it");
    ResetTables();
    AddPolygon({{0, 0}, {1, 0}, {1, 1}});
    AddPolygon({{2, 2}, {3, 2}, {3, 3}});
    Bytes b = EncodeSectionFile();
    PutI32(b, 25 + 14 + 2, 3);  // second polygon starts on the first one's last slot
    ExpectWrongFileType(b);
  }
  for (std::size_t size : {good.size() - 1, std::size_t{113}, std::size_t{60}, std::size_t{24},
                           std::size_t{12}, std::size_t{0}}) {
    SCOPED_TRACE("cut to " + std::to_string(size) + " bytes");
    ExpectWrongFileType(Bytes(good.begin(), good.begin() + static_cast<long>(size)));
  }
  {
    SCOPED_TRACE("wrong header");
    Bytes b = good;
    b[0] = 'v';
    ExpectWrongFileType(b);
  }
}

TEST_F(SectionFileTest, NodeSlotsMustStayBelowThePhantomPoints) {
  Bytes b = FilletCircleBytes();
  WriteAll(Path("p.sec"), b);
  ResetTables();
  Table.lowestPhantom = 5;  // a reader that found phantom points from slot 5 up
  Shared.CurrentFile = Path("p.sec");
  EXPECT_EQ(ReadSectionFile().error, SectionFileError::BadCounts);
  Table.lowestPhantom = 6;
  EXPECT_TRUE(ReadSectionFile());
}

TEST_F(SectionFileTest, UnreadableFileNamesFileAndReasonAndChangesNothing) {
  AddSquare();
  const SectionTable before = Table;
  mkfifo(Path("pipe.sec").c_str(), 0600);
  const std::pair<std::string, std::string> cases[] = {
      {"missing.sec", "No such file"}, {"", "Is a directory"}, {"pipe.sec", "not a regular file"}};
  for (const auto& [name, reason] : cases) {
    Platform().ClearEvents();
    Shared.CurrentFile = Path(name);
    const SectionFileRead read = ReadSectionFile();
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, SectionFileError::None);
    ASSERT_EQ(Events().size(), 1u);
    const PlatformEvent& e = Events()[0];
    EXPECT_NE(e.text.find(Shared.CurrentFile), std::string::npos) << e.text;
    EXPECT_NE(e.text.find(reason), std::string::npos) << e.text;
    EXPECT_EQ(e.style, MsgOk | MsgIconError);
    EXPECT_TRUE(SameTables(Table, before));
  }
}

TEST_F(SectionFileTest, NothingChangedWritesOnlyTheSettings) {
  Shared.DataFolder = Path("data/");
  std::filesystem::create_directories(Shared.DataFolder);
  AddSquare();
  Shared.CurrentFile = Path("unchanged.sec");
  Shared.FileChanged = false;
  EXPECT_TRUE(WriteSectionFile());
  EXPECT_FALSE(std::filesystem::exists(Path("unchanged.sec")));
  const std::string text = "3\r\n0\r\n\"" + Shared.CurrentFile + "\"\r\n";
  EXPECT_EQ(ReadAll(SettingsFilePath()), Bytes(text.begin(), text.end()));
}

class AtomicSaveTest : public SectionFileTest {
 protected:
  void SetUp() override {
    SectionFileTest::SetUp();
    AddSquare();
    ASSERT_TRUE(Save("beam.sec"));
    old_ = ReadAll(Path("beam.sec"));
    AddSingle(SectionKind::Circle, {0, 1, 1, 1});
    Shared.FileChanged = true;
    Platform().ClearEvents();
  }
  void ExpectFailedSave(const std::string& path, const char* reason) {
    Shared.CurrentFile = path;
    EXPECT_FALSE(WriteSectionFile());
    EXPECT_TRUE(Shared.FileChanged);
    ASSERT_EQ(Events().size(), 1u);
    EXPECT_EQ(Events()[0].style, MsgOk | MsgIconError);
    EXPECT_NE(Events()[0].text.find(path), std::string::npos) << Events()[0].text;
    EXPECT_NE(Events()[0].text.find(reason), std::string::npos) << Events()[0].text;
    EXPECT_EQ(ReadAll(Path("beam.sec")), old_);
    // No temporary is left beside the file.
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(Path(""))) {
      files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, 1);
  }
  Bytes old_;
};

TEST_F(AtomicSaveTest, AnInterruptedWriteLeavesTheOldFileIntact) {
  // A file-size limit makes the write fail part-way, even for root.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 50;
  setrlimit(RLIMIT_FSIZE, &small);
  ExpectFailedSave(Path("beam.sec"), "too large");
  setrlimit(RLIMIT_FSIZE, &old);
}

// Runs attempt as an ordinary user (in a child process when the tests run as root).
template <typename F>
bool AsOrdinaryUser(F attempt) {
  if (geteuid() != 0) return attempt();
  pid_t pid = fork();
  if (pid == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && attempt() ? 0 : 1);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(AtomicSaveTest, AFolderThatCannotBeWrittenKeepsTheOldFile) {
  chmod(Path("beam.sec").c_str(), 0666);  // only the folder stands in the way
  chmod(Path("").c_str(), 0555);
  bool refused = AsOrdinaryUser([&] {
    Shared.CurrentFile = Path("beam.sec");
    bool saved = WriteSectionFile();
    return !saved && Shared.FileChanged && Events().size() == 1 &&
           Events()[0].text.find("Permission denied") != std::string::npos;
  });
  chmod(Path("").c_str(), 0755);
  EXPECT_TRUE(refused);
  EXPECT_EQ(ReadAll(Path("beam.sec")), old_);
}

TEST_F(AtomicSaveTest, AFileTheUserCannotWriteIsNotReplaced) {
  // The folder lets anyone create files, the file itself is read-only.
  chmod(Path("").c_str(), 0777);
  chmod(Path("beam.sec").c_str(), 0444);
  bool refused = AsOrdinaryUser([&] {
    Shared.CurrentFile = Path("beam.sec");
    return !WriteSectionFile() && Shared.FileChanged;
  });
  chmod(Path("").c_str(), 0755);
  EXPECT_TRUE(refused);
  EXPECT_EQ(ReadAll(Path("beam.sec")), old_);
}

TEST_F(AtomicSaveTest, AMissingFolderOrADirectoryInTheWayFails) {
  ExpectFailedSave(Path("no such folder/beam.sec"), "No such file or directory");
  Platform().ClearEvents();
  std::filesystem::create_directory(Path("dir.sec"));
  std::filesystem::create_directory(Path("dir.sec/inside"));
  Shared.CurrentFile = Path("dir.sec");
  EXPECT_FALSE(WriteSectionFile());
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_TRUE(std::filesystem::is_directory(Path("dir.sec/inside")));
}

TEST_F(AtomicSaveTest, ASaveKeepsPermissionsAndFollowsLinks) {
  chmod(Path("beam.sec").c_str(), 0640);
  std::filesystem::create_symlink(Path("beam.sec"), Path("link.sec"));
  Shared.CurrentFile = Path("link.sec");
  ASSERT_TRUE(WriteSectionFile());
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.sec")));
  struct stat st {};
  stat(Path("beam.sec").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadAll(Path("beam.sec")).size(), 87u + 14 + 12 + 40);
}

}  // namespace
