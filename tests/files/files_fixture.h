// Common set-up of the file tests: a headless platform on a fresh temporary folder,
// empty tables and default settings, and helpers that build tables as the program's
// commands leave them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/main_panel.h"
#include "headless/headless_platform.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "support/temp_folder_test.h"

class FilesTest : public TempFolderTest {
 protected:
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  HeadlessPlatform& Platform() { return *platform_; }
  const std::vector<PlatformEvent>& Events() { return platform_->Events(); }

 public:
  // A polygon of the given corners, closed unless open is set.
  static int AddPolygon(std::initializer_list<std::pair<float, float>> corners,
                        bool open = false) {
    int s = ++Table.sectionCount;
    Section& sec = Table.sections[s];
    sec = Section{static_cast<std::uint8_t>(SectionKind::Polygon),
                  static_cast<std::uint8_t>(open ? 0 : Complete), Table.nodeCount + 1, 0, 1.0f};
    for (auto [x, y] : corners) Table.nodes[++Table.nodeCount] = {x, y};
    sec.lastNode = Table.nodeCount;
    Table.CurrentSection = s;
    return s;
  }
  // A circle, arc segment, merge data or radial block on a new slot with its row.
  static int AddSingle(SectionKind kind, std::initializer_list<float> columns) {
    int s = ++Table.sectionCount;
    int slot = ++Table.nodeCount;
    Table.sections[s] = Section{static_cast<std::uint8_t>(kind), Complete, slot, slot, 1.0f};
    ParamRow row{};
    int c = 0;
    for (float v : columns) row.c[c++] = v;
    Table.params[slot] = row;
    Table.CurrentSection = s;
    return s;
  }
};
