#include "model/report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "model/properties.h"
#include "model/shared_state.h"

namespace {

// The parts of a mask that decide the text: an optional fill character ("*c" in
// front), whether there is a decimal point, and the number of decimals.
struct MaskForm {
  char fill = 0;
  bool point = false;
  int decimals = 0;
  std::size_t width = 0;  // the whole mask, for right-aligning a filled field
};

MaskForm ParseMask(std::string_view mask) {
  MaskForm form;
  form.width = mask.size();
  std::string_view body = mask;
  if (body.size() >= 2 && body[0] == '*') {
    form.fill = body[1];
    body.remove_prefix(2);
  }
  std::size_t point = body.find('.');
  if (point != std::string_view::npos) {
    form.point = true;
    for (std::size_t i = point + 1; i < body.size() && body[i] == '0'; ++i) ++form.decimals;
  }
  return form;
}

// Writes a finite magnitude rounded to `decimals` places as plain decimal text
// ("12.346", "0.250") into [first, last); returns the end. Exact halves round away
// from zero. A double is an exact half at this precision only when it has at most
// decimals + 1 binary places; its decimal expansion then ends within decimals + 1
// digits, so printing one more digit is exact and the tie is settled here. Any
// other value has no tie and is rounded correctly by to_chars.
char* RoundedDigits(double magnitude, int decimals, char* first, char* last) {
  double scaled = std::ldexp(magnitude, decimals + 1);
  if (scaled != std::floor(scaled)) {
    return std::to_chars(first, last, magnitude, std::chars_format::fixed, decimals).ptr;
  }
  char* end = std::to_chars(first, last, magnitude, std::chars_format::fixed, decimals + 1).ptr;
  const char extra = *--end;  // '0' or '5'
  if (decimals == 0) --end;   // the '.' before the extra digit
  if (extra == '5') {
    // Add one unit in the last place.
    char* i = end;
    while (i != first) {
      --i;
      if (*i == '.') continue;
      if (*i != '9') {
        ++*i;
        return end;
      }
      *i = '0';
    }
    // All nines: one more digit in front.
    std::memmove(first + 1, first, static_cast<std::size_t>(end - first));
    *first = '1';
    ++end;
  }
  return end;
}

// Appends value formatted by the mask. A value that is not a number is written
// as a word, never as digits.
void AppendValue(std::string& out, double value, const MaskForm& mask) {
  const std::size_t start = out.size();
  if (!std::isfinite(value)) {
    out += std::isnan(value) ? "undefined" : value > 0 ? "infinite" : "-infinite";
  } else {
    // The longest finite double has 309 integer digits.
    char small[400];
    std::string large;
    char* first = small;
    char* last = small + sizeof small;
    if (mask.decimals > 80) {
      large.resize(320 + static_cast<std::size_t>(mask.decimals));
      first = large.data();
      last = first + large.size();
    }
    char* end = RoundedDigits(std::fabs(value), mask.decimals, first, last);
    char* dot = std::find(first, end, '.');
    // No "-0": a negative value that rounds to zero loses its sign.
    bool negative = value < 0 && std::find_if(first, end, [](char c) {
                                   return c != '0' && c != '.';
                                 }) != end;
    if (negative) out += '-';
    // With a point, a zero integer part prints nothing before it (".250").
    if (!(mask.point && dot - first == 1 && *first == '0')) out.append(first, dot);
    if (mask.point) {
      out += '.';
      if (dot != end) out.append(dot + 1, end);
    }
  }
  const std::size_t length = out.size() - start;
  if (mask.fill != 0 && length < mask.width) out.insert(start, mask.width - length, mask.fill);
}

}  // namespace

std::string FormatValue(double value, const std::string& mask) {
  std::string out;
  AppendValue(out, value, ParseMask(mask));
  return out;
}

std::string ValueMask(int digits) { return digits <= 0 ? "#" : "#." + std::string(digits, '0'); }

std::string LogMask(int digits) { return digits <= 0 ? "* #" : "* #." + std::string(digits, '0'); }

void BuildReportLines() {
  const MaskForm mask = ParseMask(ValueMask(Shared.SigDigits));
  const PropertySet& p = Calc.props;
  std::array<std::string, 13>& lines = Calc.reportLines;
  // Each line is rewritten in place, so that its storage is reused.
  auto line = [&](int i, const char* text) -> std::string& { return lines[i].assign(text); };
  auto value = [&](int i, const char* label, double v) -> std::string& {
    std::string& l = line(i, label);
    AppendValue(l, v, mask);
    return l;
  };
  line(0, " Centroidal Axes");
  line(1, "");
  value(2, " Area \t=   ", p.A);
  value(3, " xBar \t=   ", p.xBar);
  value(4, " yBar \t=   ", p.yBar);
  value(5, " Ixx  \t=   ", p.Ixx);
  value(6, " Iyy  \t=   ", p.Iyy);
  value(7, " Ixy  \t=   ", p.Ixy);
  line(8, " Principal Axes");
  line(9, "");
  value(10, " Imax \t=   ", p.Imax);
  value(11, " Imin \t=   ", p.Imin);
  value(12, "Angle \t=   ", p.angle) += "  Degrs";
}
