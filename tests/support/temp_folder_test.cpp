#include "support/temp_folder_test.h"

#include <unistd.h>

#include <string>

#include "app/program_state.h"
#include "model/shared_state.h"

void TempFolderTest::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = std::filesystem::temp_directory_path() /
            ("kelvarin-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" +
             info->name());
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
  platform_ = std::make_unique<HeadlessPlatform>(folder_.string());
  SetPlatform(platform_.get());
  ResetProgramState();
}

void TempFolderTest::TearDown() {
  SetPlatform(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}
