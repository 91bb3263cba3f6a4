// Whole-process time of kelvarin-cli, as a batch over many files pays it: start,
// load, run one command, exit. Wall time per call.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs kelvarin-cli with args, its output to /dev/null; false unless it exits 0.
bool RunCli(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string program = KELVARIN_CLI;
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

void Run(benchmark::State& state, const std::vector<std::string>& args) {
  for (auto _ : state) {
    if (!RunCli(args)) {
      state.SkipWithError("kelvarin-cli failed");
      return;
    }
  }
}

void BM_CliHelp(benchmark::State& state) { Run(state, {"--help"}); }
void BM_CliReportSmallFile(benchmark::State& state) {
  Run(state, {"report", KELVARIN_TEST_DATA "/plate_with_hole.sec"});
}
void BM_CliReportJson(benchmark::State& state) {
  Run(state, {"report", "--json", KELVARIN_TEST_DATA "/plate_with_hole.sec"});
}
// For comparison: draw opens the Qt plugin.
void BM_CliDraw(benchmark::State& state) {
  Run(state, {"draw", "--size", "200", KELVARIN_TEST_DATA "/plate_with_hole.sec", "/dev/null"});
}

BENCHMARK(BM_CliHelp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliReportSmallFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliReportJson)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
