#include "model/report.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "model/properties.h"
#include "model/shared_state.h"
#include "output/output_window.h"

namespace {

// value rounded to `decimals` places as plain decimal text ("-12.346", "0.250").
// Exact halves round away from zero.
std::string RoundedText(double value, int decimals) {
  char buf[400];
  // A double is an exact half at this precision only when it has at most
  // decimals + 1 binary places; its expansion then ends within decimals + 1 digits,
  // so printing one more digit is exact and the tie can be settled here.
  double scaled = std::ldexp(value, decimals + 1);
  bool fewBits = std::fabs(value) < 1e15 && scaled == std::floor(scaled);
  if (!fewBits) {
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
  }
  std::snprintf(buf, sizeof buf, "%.*f", decimals + 1, value);
  std::string s = buf;
  char last = s.back();
  s.pop_back();
  if (decimals == 0) s.pop_back();  // the '.' before the extra digit
  if (last >= '5') {
    // Add one unit in the last place to the magnitude.
    int i = static_cast<int>(s.size()) - 1;
    for (; i >= 0; --i) {
      if (s[i] == '.' || s[i] == '-') continue;
      if (s[i] == '9') {
        s[i] = '0';
      } else {
        ++s[i];
        break;
      }
    }
    if (i < 0) {  // all nines: one more digit in front
      bool minus = s[0] == '-';
      s = (minus ? "-1" : "1") + s.substr(minus ? 1 : 0);
    }
  }
  return s;
}

}  // namespace

std::string FormatValue(double value, const std::string& mask) {
  std::string body = mask;
  char fill = 0;
  if (body.size() >= 2 && body[0] == '*') {
    fill = body[1];
    body = body.substr(2);
  }
  std::size_t point = body.find('.');
  int decimals = 0;
  if (point != std::string::npos) {
    for (std::size_t i = point + 1; i < body.size() && body[i] == '0'; ++i) ++decimals;
  }
  if (!std::isfinite(value)) value = 0;
  std::string text = RoundedText(value, decimals);

  bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  std::size_t dot = text.find('.');
  std::string whole = text.substr(0, dot);
  std::string frac = dot == std::string::npos ? "" : text.substr(dot + 1);
  if (text.find_first_not_of("0.") == std::string::npos) negative = false;  // no "-0"
  // With decimals, a zero integer part prints nothing before the point (".250").
  if (whole == "0" && point != std::string::npos) whole.clear();

  std::string out = negative ? "-" : "";
  out += whole;
  if (point != std::string::npos) out += "." + frac;
  if (fill != 0 && out.size() < mask.size()) out.insert(0, mask.size() - out.size(), fill);
  return out;
}

std::string ValueMask(int digits) { return digits <= 0 ? "#" : "#." + std::string(digits, '0'); }

std::string LogMask(int digits) { return digits <= 0 ? "* #" : "* #." + std::string(digits, '0'); }

void BuildReportLines() {
  const std::string mask = ValueMask(Shared.SigDigits);
  const PropertySet& p = Calc.props;
  auto v = [&](double x) { return FormatValue(x, mask); };
  Calc.reportLines = {
      " Centroidal Axes",
      "",
      " Area \t=   " + v(p.A),
      " xBar \t=   " + v(p.xBar),
      " yBar \t=   " + v(p.yBar),
      " Ixx  \t=   " + v(p.Ixx),
      " Iyy  \t=   " + v(p.Iyy),
      " Ixy  \t=   " + v(p.Ixy),
      " Principal Axes",
      "",
      " Imax \t=   " + v(p.Imax),
      " Imin \t=   " + v(p.Imin),
      "Angle \t=   " + v(p.angle) + "  Degrs",
  };
}

void ShowReport() {
  for (int i = 0; i <= 7; ++i) AppendOutputLine(Calc.reportLines[i]);
  AppendOutputLine("");
  AppendOutputLine("");
  for (int i = 8; i <= 12; ++i) AppendOutputLine(Calc.reportLines[i]);
  ShowOutputWindow(250, 300, "Kelvarin");
}
