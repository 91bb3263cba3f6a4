// Mask-driven number formatting and the property report.
#pragma once

#include <string>

// Formats value by a mask made of '#', '.', '0' and "*c" (fill character c), exact
// halves rounded away from zero. A value that is not a number is written as
// "infinite", "-infinite" or "undefined" in its place.
std::string FormatValue(double value, const std::string& mask);

// "#." plus SigDigits zeros, or "#" for no decimals.
std::string ValueMask(int digits);
// "* #." plus SigDigits zeros, or "* #" for no decimals.
std::string LogMask(int digits);

// Rebuilds Calc.reportLines from Calc.props with the current SigDigits.
void BuildReportLines();
