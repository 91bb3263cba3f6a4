// The view commands where a scenario cannot reach: extreme magnifications, panning
// with nothing shown, a negative Identify number, and the phantom-point menus.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/dispatch.h"
#include "app/menu_ids.h"
#include "view/redraw_view.h"
#include "view/view_control.h"
#include "view/view_tables.h"

namespace viewtest {
namespace {

class ViewControlTest : public ViewFixture {};

TEST_F(ViewControlTest, EveryFactorGivesAFiniteOpenMapping) {
  const float big = std::numeric_limits<float>::max() / 2;
  for (bool huge : {false, true}) {
    ResetProgramState();
    if (huge) {
      AddPolygon({{-big, -big}, {big, -big}, {big, big}});
    } else {
      AddPolygon({{1000, 1000}, {1000.001f, 1000}, {1000.001f, 1000.001f}});
    }
    for (double typed : {1e300, -1e300, 1e-300, -5e-324, 0.0, 2.5}) {
      const double factor = SetMagnification(typed);
      EXPECT_GE(std::fabs(factor), MinMagnification) << typed;
      EXPECT_LE(std::fabs(factor), MaxMagnification) << typed;
      EXPECT_EQ(std::signbit(factor), std::signbit(typed) && typed != 0) << typed;
      canvas.ClearCalls();
      RedrawView();
      const auto mappings = canvas.CallsOf(CanvasCall::SetMapping);
      ASSERT_EQ(mappings.size(), 1u);
      const CanvasCall& m = mappings[0];
      for (double v : {m.p.x, m.p.y, m.q.x, m.q.y}) EXPECT_TRUE(std::isfinite(v)) << typed;
      EXPECT_NE(m.p.x, m.q.x) << typed << (huge ? " huge" : " tiny");
      EXPECT_NE(m.p.y, m.q.y) << typed << (huge ? " huge" : " tiny");
    }
  }
  EXPECT_EQ(SetMagnification(0), 1);
  EXPECT_EQ(SetMagnification(-0.5), -0.5);
}

TEST_F(ViewControlTest, PanNeedsSomethingShown) {
  // Every section deleted: the extent stays empty, and a pan would take up 1e98.
  AddPolygon({{0, 0}, {10, 0}, {10, 5}});
  Table.sections[1].flags |= Deleted;
  View.magnification = 2;
  RedrawView();
  EXPECT_FALSE(PanView(1, 0));
  EXPECT_EQ(View.panX, 0);
  Table.sections[1].flags &= ~Deleted;
  RedrawView();
  EXPECT_TRUE(PanView(-1, 1));
  EXPECT_EQ(View.panX, -0.5);
  EXPECT_EQ(View.panY, 0.25);
}

TEST_F(ViewControlTest, IdentifyStartsOverAfterANumberThatNamesNoSection) {
  AddPolygon({{0, 0}, {1, 0}, {1, 1}});
  AddPolygon({{2, 0}, {3, 0}, {3, 1}});
  AddPolygon({{4, 0}, {5, 0}, {5, 1}});
  EXPECT_EQ(IdentifySection(2), 2);
  EXPECT_EQ(IdentifySection(-3), 0);
  EXPECT_EQ(IdentifySection(0), 1);
  EXPECT_EQ(IdentifySection(0), 2);
  Table.sections[3].flags |= Deleted;
  EXPECT_EQ(IdentifySection(0), 0);
  EXPECT_EQ(IdentifySection(0), 1);
}

TEST_F(ViewControlTest, PhantomMenusSwitchTheNumbersAndRedraw) {
  AddPolygon({{0, 0}, {4, 0}, {4, 4}});
  AddPhantom(2, 8);
  auto phantomTexts = [this] {
    int n = 0;
    for (const CanvasCall& c : canvas.CallsOf(CanvasCall::Text)) n += c.colour == Blue;
    return n;
  };
  MainWindowCommand(MenuHidePhantoms);
  EXPECT_FALSE(View.ShowPhantoms);
  EXPECT_EQ(phantomTexts(), 0);
  MainWindowCommand(MenuShowPhantoms);
  EXPECT_TRUE(View.ShowPhantoms);
  EXPECT_EQ(phantomTexts(), 1);
}

}  // namespace
}  // namespace viewtest
