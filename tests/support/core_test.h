// A test fixture base: headless platform in force, tables and results reset.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/main_panel.h"
#include "headless/headless_platform.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "support/table_builder.h"

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The output-window events recorded so far.
  std::vector<PlatformEvent> OutputWindows() const;
  std::vector<PlatformEvent> EventsOfKind(PlatformEvent::Kind kind) const;
  // Recomputes the table silently and returns the stored results.
  const PropertySet& Compute();
  HeadlessPlatform platform;
};
