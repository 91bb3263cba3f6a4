// ResetProgramState against every process-wide struct: each one dirtied, then back
// to its start after the reset. The structs are those of ProgramStructs; one that
// joins the list without a Dirty overload here does not compile.
#include <gtest/gtest.h>

#include <tuple>

#include "app/program_state.h"
#include "app/program_structs.h"

namespace {

void Dirty(SectionTable& t) {
  t.sections[2] = Section{1, Complete, 5, 5, 2.0f};
  t.nodes[5] = Node{1, 2};
  t.params[5].c[3] = 4;
  t.sectionCount = 2;
  t.nodeCount = 5;
  t.lowestPhantom = 240;
  t.CurrentSection = 2;
  t.xReflected = true;
}
void Dirty(SharedState& s) {
  s.ResultsCurrent = s.FileChanged = true;
  s.CurrentFile = "/tmp/a.sec";
  s.DataFolder = "/tmp/";
  s.SigDigits = 5;
}
void Dirty(CalcState& c) {
  c.props.A = 3;
  c.totals[1] = 3;
  c.calcMode = CalcReport;
  c.reportLines[0] = "line";
  c.factors[1] = -1;
}
void Dirty(MainPanel& p) {
  p.selectedItem = PanelItem::Fillets;
  p.inputLine = "3, 4";
  p.focus = Focus::GraphicView;
  p.menu[MenuAboutCentroid].enabled = true;
  p.menu[MenuXReflection].caption = "Undo X-Reflection";
  p.modeTaken = true;
  p.referencePoint = 7;
}
void Dirty(DispatchState& d) {
  d.EntryStep = 2;
  d.EntryHeading = Heading::CircleSection;
  d.FileDialogOpen = true;
  d.EditOriginal = "1, 2";
  d.HelpFile = "/tmp/Velmora.chm";
}
void Dirty(EntryState& e) {
  e.PendingStep = StepAngle;
  e.LastAngle = 30;
  e.FixedRadius = 2;
  e.PhantomEntry = true;
}
void Dirty(ViewOptions& v) {
  v.hideNodeNumbers = true;
  v.magnification = 2;
  v.panX = 1;
  v.ShowPhantoms = false;
  v.lastIdentified = 3;
}
void Dirty(ViewExtent& e) { e.xmin = e.ymin = 0; }
void Dirty(OutputStore& o) {
  o.lines = {"a", "b"};
  o.open = true;
  o.title = "Output";
}
void Dirty(PrintState& p) { p.LastPrinter = "Print to PDF"; }
void Dirty(KeyboardState& k) { k.hook = KeyboardHook; }

// A fresh struct: as constructed, but the table empty as ClearSectionTable leaves
// it (no phantom points: the lowest phantom slot is past the top) and the menus
// as they were built.
template <typename T>
T Fresh(const T&, const MainPanel&) { return T{}; }
SectionTable Fresh(const SectionTable&, const MainPanel&) {
  SectionTable t{};
  t.lowestPhantom = TopNode + 1;
  return t;
}
MainPanel Fresh(const MainPanel&, const MainPanel& asBuilt) {
  MainPanel p{};
  p.menu = asBuilt.menu;
  return p;
}

TEST(ProgramStateTest, ResetReturnsEveryProcessWideStructToItsStart) {
  ResetProgramState();
  const MainPanel asBuilt = Panel;
  ASSERT_FALSE(asBuilt.menu.empty());
  EXPECT_FALSE(asBuilt.menu.at(MenuAboutCentroid).enabled);

  // Each struct compared with its fresh state, numbered in the list's order.
  auto expectFresh = [&](bool fresh) {
    int index = 0;
    std::apply([&](auto&... s) {
      auto check = [&](auto& state) {
        const int i = index++;
        EXPECT_EQ(state == Fresh(state, asBuilt), fresh) << "struct " << i << " of the list";
      };
      (check(s), ...);
    }, ProgramStructs());
  };
  std::apply([](auto&... s) { (Dirty(s), ...); }, ProgramStructs());
  expectFresh(false);
  ResetProgramState();
  expectFresh(true);
}

}  // namespace
