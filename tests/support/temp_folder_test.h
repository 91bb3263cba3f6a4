// A test fixture base: a fresh temporary folder per test as the application-data
// folder of a headless platform, default settings and empty tables.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "headless/headless_platform.h"

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path folder_;
  std::unique_ptr<HeadlessPlatform> platform_;
};
