// The view options across a reset of the tables.
#include <gtest/gtest.h>

#include "app/program_state.h"
#include "app/menu_ids.h"
#include "view/view_tables.h"

namespace viewtest {
namespace {

class ViewOptionsTest : public ViewFixture {};

TEST_F(ViewOptionsTest, ResetTablesRestoresTheOptionsButKeepsPanIdentifiedAndExtent) {
  View.hideNodeNumbers = true;
  View.showPrincipalAxes = true;
  View.oneSection = 3;
  View.highlight = 2;
  View.magnification = 4;
  View.panX = 1.5;
  View.panY = -2;
  View.lastIdentified = 2;
  Extent = {0, 10, 0, 5};
  for (CommandId id : {MenuWithoutNodes, MenuPrincipalAxes, MenuOneSection}) CheckMenuItem(id, true);
  ResetTables();
  EXPECT_FALSE(View.hideNodeNumbers);
  EXPECT_FALSE(View.showPrincipalAxes);
  EXPECT_EQ(View.oneSection, 0);
  EXPECT_EQ(View.highlight, 0);
  EXPECT_EQ(View.magnification, 0);
  EXPECT_EQ(View.panX, 1.5);
  EXPECT_EQ(View.panY, -2);
  EXPECT_EQ(View.lastIdentified, 2);
  EXPECT_EQ(Extent.xmax, 10);
  for (CommandId id : {MenuWithoutNodes, MenuPrincipalAxes, MenuOneSection})
    EXPECT_FALSE(Panel.menu[id].checked) << id;
}

}  // namespace
}  // namespace viewtest
