#include "support/golden_compare.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Token {
  bool number;
  std::string text;
  double value;
};

bool Digit(const std::string& s, std::size_t i) {
  return i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]));
}

// Length of the decimal number starting at i ([+-] digits [. digits] [e[+-]digits]),
// 0 when none starts there.
std::size_t NumberLength(const std::string& s, std::size_t i) {
  std::size_t j = i;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
  std::size_t digits = 0;
  while (Digit(s, j)) ++j, ++digits;
  if (j < s.size() && s[j] == '.') {
    ++j;
    while (Digit(s, j)) ++j, ++digits;
  }
  if (digits == 0) return 0;
  if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
    std::size_t k = j + 1;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
    if (Digit(s, k)) {
      while (Digit(s, k)) ++k;
      j = k;
    }
  }
  return j - i;
}

// A line as alternating runs of text and numbers.
std::vector<Token> Tokens(const std::string& line) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t n = NumberLength(line, i);
    if (n > 0) {
      std::string text = line.substr(i, n);
      tokens.push_back({true, text, std::strtod(text.c_str(), nullptr)});
      i += n;
    } else {
      if (tokens.empty() || tokens.back().number) tokens.push_back({false, "", 0});
      tokens.back().text += line[i++];
    }
  }
  return tokens;
}

// The lines of text, each without its '\n'.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool EndsWithNewline(const std::string& text) { return !text.empty() && text.back() == '\n'; }

// Why two lines differ, "" when they match.
std::string LineDifference(const std::string& expected, const std::string& actual,
                           double relative) {
  if (expected == actual) return "";
  std::vector<Token> e = Tokens(expected), a = Tokens(actual);
  if (e.size() != a.size()) return "texts differ";
  double scale = 0;
  for (const std::vector<Token>* tokens : {&e, &a})
    for (const Token& t : *tokens)
      if (t.number) scale = std::max(scale, std::fabs(t.value));
  for (std::size_t i = 0; i < e.size(); ++i) {
    if (e[i].number != a[i].number || (!e[i].number && e[i].text != a[i].text))
      return "texts differ";
    if (e[i].number && e[i].text != a[i].text &&
        !(std::fabs(e[i].value - a[i].value) <= relative * scale))
    {
      char why[200];
      std::snprintf(why, sizeof why, "%s is not %s within %g of the line's largest magnitude %g",
                    a[i].text.c_str(), e[i].text.c_str(), relative, scale);
      return why;
    }
  }
  return "";
}

}  // namespace

std::vector<GoldenDifference> CompareGolden(const std::string& expected, const std::string& actual,
                                            double relative) {
  std::vector<std::string> e = Lines(expected), a = Lines(actual);
  std::vector<GoldenDifference> differences;
  for (std::size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
    const int line = static_cast<int>(i) + 1;
    if (i >= a.size()) {
      differences.push_back({line, e[i], "", "missing line"});
    } else if (i >= e.size()) {
      differences.push_back({line, "", a[i], "extra line"});
    } else if (std::string why = LineDifference(e[i], a[i], relative); !why.empty()) {
      differences.push_back({line, e[i], a[i], why});
    }
  }
  if (differences.empty() && EndsWithNewline(expected) != EndsWithNewline(actual)) {
    const int last = static_cast<int>(e.size());
    differences.push_back({last, e.back(), a.back(),
                           EndsWithNewline(actual) ? "newline added at the end"
                                                   : "no newline at the end"});
  }
  return differences;
}

std::string FormatGoldenDifferences(const std::vector<GoldenDifference>& differences) {
  std::string out;
  for (const GoldenDifference& d : differences) {
    out += "line " + std::to_string(d.line) + ": " + d.why + "\n";
    if (d.why != "extra line") out += "- " + d.expected + "\n";
    if (d.why != "missing line") out += "+ " + d.actual + "\n";
  }
  return out;
}
