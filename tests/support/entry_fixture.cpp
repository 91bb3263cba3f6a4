#include "support/entry_fixture.h"

#include <cstdio>

#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/window_actions.h"
#include "construct/entry_state.h"

void EntryTest::SetUp() {
  CoreTest::SetUp();
  StartPolygon();  // the entry panel as start-up leaves it
  platform.ClearEvents();
}

void EntryTest::Ok(const std::string& text) {
  TypeInInputLine(text);
  PressOkButton();
}

void EntryTest::Click(int item) { ClickBuildPanelItem(ItemAt(item)); }

void EntryTest::Nodes(std::initializer_list<std::pair<double, double>> points) {
  for (const auto& [x, y] : points) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9g, %.9g", x, y);
    Ok(text);
  }
}

std::vector<PlatformEvent> EntryTest::Messages() const {
  std::vector<PlatformEvent> out;
  for (const PlatformEvent& e : platform.Events())
    if (e.kind == PlatformEvent::MessageBox || e.kind == PlatformEvent::MessageDialog)
      out.push_back(e);
  return out;
}
