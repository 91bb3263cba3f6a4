// golden_compare EXPECTED ACTUAL: compares a program's output with its expected
// text as CompareGolden does and prints the differing lines. Exit code 0 when they
// match, 1 when they differ, 2 when a file cannot be read.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>

#include "support/golden_compare.h"

namespace {

bool ReadAll(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: golden_compare EXPECTED ACTUAL\n", stderr);
    return 2;
  }
  std::string expected, actual;
  for (auto [path, text] : {std::pair{argv[1], &expected}, std::pair{argv[2], &actual}}) {
    if (!ReadAll(path, *text)) {
      std::fprintf(stderr, "golden_compare: cannot read %s\n", path);
      return 2;
    }
  }
  std::vector<GoldenDifference> differences = CompareGolden(expected, actual);
  std::fputs(FormatGoldenDifferences(differences).c_str(), stdout);
  return differences.empty() ? 0 : 1;
}
