// Fixture of the entry and dispatch tests: the headless platform, empty tables, the
// menus built and the panel as start-up leaves it ("0, 0" under absolute coordinates).
#pragma once

#include <string>
#include <vector>

#include "support/core_test.h"

class EntryTest : public CoreTest {
 protected:
  void SetUp() override;
  // Types text into the InputLine and presses Ok.
  void Ok(const std::string& text);
  // Clicks BuildPanel item n as the mouse would (focus, then selection change).
  void Click(int item);
  // Places nodes at absolute coordinates through Ok.
  void Nodes(std::initializer_list<std::pair<double, double>> points);
  // Messages of either kind (platform box and MessageDialog) recorded so far.
  std::vector<PlatformEvent> Messages() const;
};
