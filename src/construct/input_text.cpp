#include "construct/input_text.h"

#include <cctype>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

std::string CleanLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Always reads with a '.' decimal point, whatever locale the desktop has set.
locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

}  // namespace

double ReadNumber(std::string_view text) {
  std::size_t i = 0, n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  std::string number(text.substr(0, i));
  return strtod_l(number.c_str(), nullptr, CLocale());
}

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  double r = std::round(value);
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);
}

std::vector<std::string> SplitFields(std::string_view text, std::string_view separators) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (separators.find(c) != std::string_view::npos) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

int FieldCount(std::string_view text) {
  int n = 1;
  for (char c : text) n += c == ',';
  return n;
}

double FieldNumber(std::string_view text, std::string_view separators, std::size_t i) {
  std::vector<std::string> fields = SplitFields(text, separators);
  return i < fields.size() ? ReadNumber(fields[i]) : 0.0;
}

bool ContainsAny(std::string_view text, std::string_view chars) {
  return text.find_first_of(chars) != std::string_view::npos;
}

std::string RemoveChar(std::string_view text, char c) {
  std::string out;
  for (char t : text)
    if (t != c) out += t;
  return out;
}

std::string NumberToText(double value, int digits) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
  std::string text(buffer);
  return std::signbit(value) && !std::isnan(value) ? text : " " + text;
}
