// Feeds arbitrary typed lines, BuildPanel clicks and double-clicks and dialog
// answers to the Ok command. After every step the section table and the panel must
// be sound, no finished section the step did not name may have changed, a table
// that differs from the last saved (here: empty) one must be marked changed, and a
// finite table must give no NaN property.
//
// Input: lines separated by '\n'. A line starting with byte 0x01 clicks BuildPanel
// item (next byte % 35) + 1, 0x02 double-clicks it, 0x03 queues a dialog answer
// (yes or no by the next byte, or the rest of the line as typed text after 0x03 't'),
// 0x04 chooses a menu command by the next byte, 0x05 saves to a scratch file (File /
// Save answered Yes), 0x06 opens that file; any other line is typed into the
// InputLine and Ok is pressed.
#include <bitset>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/commands.h"
#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/program_state.h"
#include "app/window_actions.h"
#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "files/installed_data.h"
#include "files/section_file.h"
#include "files/table_invariants.h"
#include "headless/headless_platform.h"
#include "headless/recording_canvas.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"

namespace {

// The step's text with bytes outside printable ASCII as \xNN.
std::string Printable(const std::string& step) {
  std::string shown;
  for (unsigned char c : step.substr(0, 80)) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    shown += c < 32 || c > 126 ? std::string(hex) : std::string(1, static_cast<char>(c));
  }
  return shown;
}

[[noreturn]] void Fail(const char* what, const std::string& step) {
  std::fprintf(stderr, "ok_command_fuzz: %s (after step \"%s\")\n", what, Printable(step).c_str());
  std::abort();
}

bool Finite(float v) { return std::isfinite(v); }

void Check(const std::string& step) {
  if (const char* fault = TableInvariantFault()) Fail(fault, step);
  // Every slot 1..nodeCount belongs to exactly one section, in section order; only
  // the last section may be an open polygon.
  int next = 1;
  for (int s = 1; s <= Table.sectionCount; ++s) {
    const Section& sec = Table.sections[s];
    if (sec.firstNode != next) Fail("a gap or overlap between sections", step);
    next = sec.lastNode + 1;
    if (sec.flags == 0 && s != Table.sectionCount) Fail("an open polygon that is not last", step);
    if (sec.flags == 0 && KindOf(sec) != SectionKind::Polygon) Fail("an open section of a kind made whole", step);
    if (!Finite(sec.weight)) Fail("a weight that is not finite", step);
  }
  if (next != Table.nodeCount + 1) Fail("nodes that belong to no section", step);
  if (Table.CurrentSection < 0 || Table.CurrentSection > Table.sectionCount)
    Fail("CurrentSection out of range", step);
  for (int k = 1; k <= TopNode; ++k) {
    const bool used = k <= Table.nodeCount || k >= Table.lowestPhantom;
    if (used) {
      if (!Finite(Table.nodes[k].x) || !Finite(Table.nodes[k].y))
        Fail("a point that is not finite", step);
      for (float c : Table.params[k].c)
        if (!Finite(c)) Fail("a parameter that is not finite", step);
    } else if (Table.nodes[k].x != 0 || Table.nodes[k].y != 0 || Table.params[k].c[3] != 0) {
      Fail("a free slot that still holds data", step);
    }
  }
  if (Table.lowestPhantom < Table.nodeCount + 1) Fail("phantom points over the nodes", step);
  if (Entry.PendingStep > StepFixedRadius) Fail("unknown pending step", step);
  const bool asking = Panel.heading.rfind("How far ", 0) == 0;
  if (asking != (Entry.PendingStep != StepNone)) Fail("heading and pending step disagree", step);
  if (Panel.heading.size() > 31) Fail("heading longer than its field", step);
  if (Panel.promptLabel.size() > 127 || Panel.status2.size() > 127)
    Fail("status text longer than its buffer", step);
  if (ItemNumber(Panel.selectedItem) < 1 || ItemNumber(Panel.selectedItem) > BuildPanelCount)
    Fail("BuildPanel selection out of range", step);
  if (Panel.selectionStart < 0 || Panel.selectionEnd > static_cast<int>(Panel.inputLine.size()) ||
      Panel.selectionStart > Panel.selectionEnd)
    Fail("InputLine selection outside its text", step);
  if (Table.xReflected != (MenuCaption(MenuXReflection) == "Undo x-reflection") ||
      Table.yReflected != (MenuCaption(MenuYReflection) == "Undo y-reflection"))
    Fail("a reflection caption that does not match the table", step);
}

// The menu commands a fuzzed session may choose: all but those that leave the
// program or write files.
CommandId FuzzMenu(int n) {
  static const CommandId menus[] = {
      MenuBeginAgain,   MenuEditData,      MenuSectionWeights, MenuDeleteSection,
      MenuRestoreSection, MenuXReflection, MenuYReflection,    MenuRemovePhantoms,
      MenuLineProperties, MenuAboutCentroid, MenuAboutOtherAxes, MenuNormal,
      MenuWithoutNodes, MenuPrincipalAxes, MenuOneSection,     MenuIdentifySection,
      MenuFillNetSection, MenuMagnify,     MenuShowPhantoms,   MenuHidePhantoms,
      MenuLogFile,      MenuAddProfile,
  };
  return menus[n % (sizeof menus / sizeof menus[0])];
}

// The view draws on a recording canvas, so every redraw runs as in the window.
RecordingCanvas& FuzzCanvas() {
  static RecordingCanvas canvas;
  return canvas;
}

// The program folder is the fuzzer's own, so that Add Profile finds the profile
// tables of the build tree and a queued Yes adds one.
HeadlessPlatform& FuzzPlatform() {
  static HeadlessPlatform platform("");
  static const bool placed = [] {
    platform.SetProgramFolder(RunningProgramFolder());
    return true;
  }();
  (void)placed;
  platform.SetViewCanvas(&FuzzCanvas());
  return platform;
}

// The section file the session saves and opens, on a memory file system where one
// is mounted so that the saves' flushes cost little.
const std::string& ScratchFile() {
  static const std::string path =
      (std::filesystem::is_directory("/dev/shm") ? std::string("/dev/shm/")
                                                 : std::filesystem::temp_directory_path().string() + "/") +
      "kelvarin-ok-fuzz-" + std::to_string(getpid()) + ".sec";
  return path;
}

// The program as it starts, without a data folder: no settings, no file.
void Start() {
  std::error_code ignored;
  std::filesystem::remove(ScratchFile(), ignored);
  FuzzPlatform().Reset();
  FuzzCanvas().ClearCalls();
  SetPlatform(&FuzzPlatform());
  ResetProgramState();
  StartPolygon();
}

// One section as the writer keeps it: the record, and for each slot its point and
// the row the writer stores (rows with column 3 set).
std::vector<std::uint8_t> SectionImage(int s, std::uint8_t ignoredFlags) {
  Section sec = Table.sections[s];
  sec.flags = static_cast<std::uint8_t>(sec.flags & ~ignoredFlags);
  std::vector<std::uint8_t> image(sizeof sec);
  std::memcpy(image.data(), &sec, sizeof sec);
  for (int k = sec.firstNode; k >= 1 && k <= sec.lastNode && k <= TopNode; ++k) {
    const Node& node = Table.nodes[k];
    const ParamRow row = Table.params[k].c[3] != 0 ? Table.params[k] : ParamRow{};
    const auto* p = reinterpret_cast<const std::uint8_t*>(&node);
    image.insert(image.end(), p, p + sizeof node);
    const auto* q = reinterpret_cast<const std::uint8_t*>(&row);
    image.insert(image.end(), q, q + sizeof row);
  }
  return image;
}

// What one step may change among the finished sections.
struct Licence {
  bool everything = false;         // the tables may be replaced
  bool saves = false;              // the tables are written or read: FileChanged may clear
  std::bitset<MaxSections + 1> named;  // sections the step names
  std::uint8_t ignoredFlags = 0;   // flag bits it may change in any section
};

// The number in field i of the typed line, as a section number.
int FieldSection(const std::string& line, std::size_t i) {
  return RoundToInt(FieldNumber(line, ",", i));
}

void Name(Licence& licence, int s) {
  if (s >= 1 && s <= MaxSections) licence.named.set(static_cast<std::size_t>(s));
}

// The sections an Ok with the panel as it is now may change.
Licence OkLicence() {
  Licence licence;
  const std::string line = CleanLine(Panel.inputLine);
  const Heading heading = ReadHeading(Panel.heading);
  if (Entry.PendingStep != StepNone || heading == Heading::PolygonSection) {
    Name(licence, Table.sectionCount);  // nodes go to, and undo takes from, the last
  } else if (heading == Heading::Fillets) {
    const std::vector<std::string> fields = SplitFields(line, ",");
    for (std::size_t i = 1; i < fields.size(); ++i) {
      const int k = RoundToInt(ReadNumber(fields[i]));
      if (k >= 1 && k <= Table.nodeCount) Name(licence, SectionOfPoint(k));
    }
  } else if (heading == Heading::ChangeValues) {
    const int k = Dispatch.EditNode;
    if (k >= 1 && k <= Table.nodeCount) Name(licence, SectionOfPoint(k));
  } else if (heading == Heading::Build) {
    switch (ReadEntryMode(Panel.modeLabel).item) {
      case PanelItem::RotateSection:
      case PanelItem::SectionWeights:
      case PanelItem::ToggleOnOff:
        Name(licence, FieldSection(line, 0));
        break;
      default:
        break;  // reflections and copies append; they change no section
    }
  }
  return licence;
}

Licence MenuLicence(CommandId id) {
  Licence licence;
  if (id == MenuBeginAgain) licence.everything = true;
  if (id == MenuDeleteSection || id == MenuRestoreSection) licence.ignoredFlags = Deleted;
  // Undoing a reflection deletes the copies it marked.
  if (id == MenuXReflection || id == MenuYReflection)
    licence.ignoredFlags = Deleted | XReflectCopy | YReflectCopy;
  return licence;
}

// The finished sections before a step: complete, and not the one a waiting entry's
// first line made.
struct Before {
  std::vector<std::vector<std::uint8_t>> images;  // index s; empty when not finished
  bool fileChanged;
  int sectionCount;
};

// The two-line entry that waits for its second line, as the session itself sees it
// (not as the program says): a first line under an entry heading made the section;
// a second line under that heading without a message finishes it; any other step
// but choosing the same heading again, or a view, help or preferences command,
// leaves it.
struct Waiting {
  int section = 0;
  Heading heading = Heading::Other;
};
Waiting& SessionWaiting() {
  static Waiting waiting;
  return waiting;
}

bool IsEntryHeading(Heading h) {
  return h == Heading::ArcSegment || h == Heading::MergeData || h == Heading::RadialBlock;
}

// What one step is, for following the waiting entry.
struct StepKind {
  enum { Nothing, Ok, Click, Menu, File } kind = Nothing;
  Heading heading = Heading::Other;  // an Ok's heading and line, read before it runs
  bool emptyLine = false;
  CommandId menu = CommandOk;
};

StepKind OkStep() {
  return {StepKind::Ok, ReadHeading(Panel.heading), CleanLine(Panel.inputLine).empty()};
}

bool MessageShown() {
  for (const PlatformEvent& e : FuzzPlatform().Events())
    if (e.kind == PlatformEvent::MessageBox || e.kind == PlatformEvent::MessageDialog) return true;
  return false;
}

void FollowWaiting(const StepKind& step, const Before& before) {
  Waiting& w = SessionWaiting();
  switch (step.kind) {
    case StepKind::Nothing:
      break;
    case StepKind::Ok:
      if (IsEntryHeading(step.heading) && Table.sectionCount == before.sectionCount + 1) {
        w = {Table.sectionCount, step.heading};  // a first line
      } else if (!(w.section != 0 && step.heading == w.heading &&
                   (MessageShown() || step.emptyLine))) {
        w = {};  // finished, or left; a refused or empty second line goes on waiting
      }
      break;
    case StepKind::Click:
      if (ReadHeading(Panel.heading) != w.heading) w = {};
      break;
    case StepKind::Menu:
      if (MenuLeavesEntry(step.menu)) w = {};
      break;
    case StepKind::File:
      w = {};
      break;
  }
}

Before TakeBefore(const Licence& licence) {
  Before before;
  before.fileChanged = Shared.FileChanged;
  before.sectionCount = Table.sectionCount;
  before.images.resize(static_cast<std::size_t>(Table.sectionCount) + 1);
  for (int s = 1; s <= Table.sectionCount; ++s) {
    if (!(Table.sections[s].flags & Complete) || s == SessionWaiting().section) continue;
    before.images[s] = SectionImage(s, licence.ignoredFlags);
  }
  return before;
}

// The table as the writer would encode it when it was last saved or emptied.
std::vector<std::uint8_t>& SavedImage() {
  static std::vector<std::uint8_t> saved;
  return saved;
}

HeadlessPlatform& QuietPlatform() {
  static HeadlessPlatform platform("");
  return platform;
}

void CheckTrust(const std::string& step, const Licence& licence, const Before& before) {
  if (Dispatch.EntrySection != SessionWaiting().section)
    Fail("the program's waiting entry is not the one the session left waiting", step);
  if (!licence.everything) {
    for (int s = 1; s < static_cast<int>(before.images.size()); ++s) {
      if (before.images[s].empty() || licence.named.test(static_cast<std::size_t>(s))) continue;
      if (s > Table.sectionCount || SectionImage(s, licence.ignoredFlags) != before.images[s])
        Fail("a finished section the step did not name has changed", step);
    }
  }
  if (before.fileChanged && !Shared.FileChanged && !licence.saves &&
      (Table.sectionCount != 0 || Table.nodeCount != 0))
    Fail("FileChanged cleared without the tables being emptied, written or read", step);
  // Written, read, or started afresh (Begin Again, or the last node undone: an empty
  // table with no file): this is now the table to compare with.
  const bool fresh = Table.sectionCount == 0 && Table.nodeCount == 0 && Shared.CurrentFile.empty();
  if (!Shared.FileChanged && (before.fileChanged || licence.saves || licence.everything || fresh))
    SavedImage() = EncodeSectionFile();
  if (!Shared.FileChanged && SessionWaiting().section == 0 && EncodeSectionFile() != SavedImage())
    Fail("the tables differ from the saved ones but FileChanged is clear", step);

  // A finite table gives no NaN property (computed aside, on a quiet platform, so
  // that a message cannot take a queued answer).
  const CalcState calc = Calc;
  Platform& platform = GetPlatform();
  QuietPlatform().Reset();
  SetPlatform(&QuietPlatform());
  ComputePropertySet();
  const PropertySet& r = Calc.props;
  const bool nan = std::isnan(r.A) || std::isnan(r.xBar) || std::isnan(r.yBar) ||
                   std::isnan(r.Ixx) || std::isnan(r.Iyy) || std::isnan(r.Ixy) ||
                   std::isnan(r.Imax) || std::isnan(r.Imin) || std::isnan(r.angle);
  Calc = calc;
  SetPlatform(&platform);
  if (nan) Fail("a finite table gives a NaN property", step);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Start();
  SavedImage() = EncodeSectionFile();
  SessionWaiting() = Waiting{};
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t pos = 0;
  int steps = 0;
  // Runs one step with what it may change, then every check.
  auto step = [](const std::string& name, const Licence& licence, StepKind kind, auto&& action) {
    const Before before = TakeBefore(licence);
    action(kind);
    FollowWaiting(kind, before);
    // KELVARIN_FUZZ_TRACE=1 lists the steps of one input (to read a crash).
    static const bool trace = std::getenv("KELVARIN_FUZZ_TRACE") != nullptr;
    if (trace) {
      std::fprintf(stderr, "step %s: sections %d nodes %d phantom %d changed %d waiting %d\n",
                   Printable(name).c_str(), Table.sectionCount, Table.nodeCount,
                   Table.lowestPhantom, Shared.FileChanged ? 1 : 0, Dispatch.EntrySection);
    }
    Check(name);
    CheckTrust(name, licence, before);
    FuzzPlatform().ClearEvents();
    FuzzCanvas().ClearCalls();
  };
  while (pos <= input.size() && steps++ < 600) {
    std::size_t end = input.find('\n', pos);
    if (end == std::string::npos) end = input.size();
    std::string line = input.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line[0] == 5) {
      Licence licence;
      licence.saves = true;
      step(line, licence, {StepKind::File}, [](StepKind&) {
        Shared.CurrentFile = ScratchFile();
        FuzzPlatform().QueueAnswer({DialogAnswer::Yes, ""});
        MainWindowCommand(MenuSave);
        FuzzPlatform().ClearAnswers();
      });
    } else if (!line.empty() && line[0] == 6) {
      Licence licence;
      licence.everything = licence.saves = true;
      step(line, licence, {StepKind::File}, [](StepKind&) {
        FuzzPlatform().QueueAnswer({DialogAnswer::File, ScratchFile()});
        FuzzPlatform().QueueAnswer({DialogAnswer::No, ""});  // "Save it now?"
        MainWindowCommand(MenuOpenFile);
        FuzzPlatform().ClearAnswers();
      });
    } else if (!line.empty() && line[0] >= 1 && line[0] <= 4) {
      const int arg = line.size() > 1 ? static_cast<std::uint8_t>(line[1]) : 0;
      if (line[0] == 3 && arg == 't') {
        FuzzPlatform().QueueAnswer({DialogAnswer::Text, line.substr(2, 300)});
      } else if (line[0] == 3) {
        FuzzPlatform().QueueAnswer({arg % 2 ? DialogAnswer::Yes : DialogAnswer::No, ""});
      } else if (line[0] == 4) {
        const CommandId id = FuzzMenu(arg);
        StepKind menu{StepKind::Menu};
        menu.menu = id;
        // A greyed command does not run.
        step(line, MenuLicence(id), menu, [&](StepKind& k) {
          if (!ChooseMenuItem(id)) k.kind = StepKind::Nothing;
        });
      } else {
        const PanelItem item = ItemAt(arg % BuildPanelCount + 1);
        step(line, Licence{}, {StepKind::Click}, [&](StepKind&) { ClickBuildPanelItem(item); });
        // A double-click is the click, then Ok with the item's panel.
        if (line[0] == 2)
          step(line, OkLicence(), OkStep(), [](StepKind&) { BuildPanelNotify(LbnDblClk); });
      }
    } else {
      TypeInInputLine(line.substr(0, 300));
      step(line, OkLicence(), OkStep(), [](StepKind&) { PressOkButton(); });
    }
  }
  return 0;
}
