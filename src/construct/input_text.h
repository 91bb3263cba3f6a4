// Reading the typed line: cleaning, fields, numbers, and numbers written back as text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "util/text.h"

// The separators of a polygon or phantom-point step.
inline constexpr std::string_view StepSeparators = ",;/\\udlrc";

// Removes every blank and lower-cases the letters.
std::string CleanLine(std::string_view text);

// The decimal number at the start of text (sign, digits, point, exponent); 0 when
// the text does not begin with a number. Too large a number reads as ±infinity.
double ReadNumber(std::string_view text);
// Nearest integer, clamped to the int range; NaN reads as 0.
int RoundToInt(double value);

// Splits at any of the separator characters; an empty text gives one empty field.
std::vector<std::string> SplitFields(std::string_view text, std::string_view separators);
// The number of comma-separated fields (an empty line has one).
int FieldCount(std::string_view text);
// Number of field i (0-based) split at the separators; 0 when missing.
double FieldNumber(std::string_view text, std::string_view separators, std::size_t i);

bool ContainsAny(std::string_view text, std::string_view chars);
// Every occurrence of c removed.
std::string RemoveChar(std::string_view text, char c);

// Number-to-text as labels show it: up to `digits` significant digits, with a
// leading blank when the value is not negative (30 is written " 30").
std::string NumberToText(double value, int digits = 15);
