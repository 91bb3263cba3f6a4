// Builds section tables directly for tests, as the entry commands would leave them.
#pragma once

#include <initializer_list>
#include <utility>

#include "app/main_panel.h"
#include "headless/headless_platform.h"
#include "model/properties.h"
#include "model/section_table.h"

// Appends a polygon of the given corners; returns its section number.
int AddPolygon(std::initializer_list<std::pair<double, double>> corners, float weight = 1.0f,
               bool closed = true);
int AddCircle(double xc, double yc, double r, float weight = 1.0f);
// Arc segment: a1, a2 in degrees; t < 0 is the segment between chord and arc.
int AddArcSegment(double xc, double yc, double r, double a1, double a2, double t,
                  float weight = 1.0f);
int AddRadialBlock(double xc, double yc, double r, double angle, double w, double t,
                   float weight = 1.0f);
int AddMergeData(double xc, double yc, double a, double ixx, double iyy, double ixy,
                 float weight = 1.0f);

// A test fixture base: headless platform in force, tables and results reset.
#include <gtest/gtest.h>

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
