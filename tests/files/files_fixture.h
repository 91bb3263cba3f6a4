// Common set-up of the file tests: a headless platform on a fresh temporary folder,
// empty tables and default settings, and helpers that build tables as the program's
// commands leave them.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

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

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("kelvarin-files-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    platform_ = std::make_unique<HeadlessPlatform>(folder_.string());
    SetPlatform(platform_.get());
    Shared = SharedState{};
    ResetTables();
  }
  void TearDown() override {
    SetPlatform(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

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

 private:
  std::filesystem::path folder_;
  std::unique_ptr<HeadlessPlatform> platform_;
};
