// Compares a program's output with its expected text: everything that is not a
// number exactly, numbers within a relative tolerance, so that another compiler or
// math library, which may change the last digits of a full-precision result, does
// not break a comparison. The scale of the tolerance is the largest magnitude among
// the numbers of the same line in either text (a line of scenario output is one
// message, one report row, or one JSON object of results).
#pragma once

#include <string>
#include <vector>

constexpr double GoldenRelativeTolerance = 1e-12;

struct GoldenDifference {
  int line;  // from 1
  std::string expected, actual;
  std::string why;
};

// The lines of actual that differ from expected; empty when the texts match.
std::vector<GoldenDifference> CompareGolden(const std::string& expected, const std::string& actual,
                                            double relative = GoldenRelativeTolerance);

// The differences as text: "line N: why", then "- expected" and "+ actual".
std::string FormatGoldenDifferences(const std::vector<GoldenDifference>& differences);
