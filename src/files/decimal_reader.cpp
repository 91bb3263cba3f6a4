#include "files/decimal_reader.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>

std::from_chars_result ReadDouble(const char* first, const char* last, double& value) {
  double read = 0;
  const fast_float::from_chars_result r = fast_float::from_chars(first, last, read);
  if (r.ec != std::errc()) return {r.ptr, r.ec};
  // The parser rounds what overflows to infinity and what underflows to zero without
  // saying so; from_chars calls both out of range.
  const char* mantissaEnd = std::find_if(first, r.ptr, [](char c) { return c == 'e' || c == 'E'; });
  const bool infinityWritten = std::any_of(first, r.ptr, [](char c) { return c == 'i' || c == 'I'; });
  const bool nonZeroDigit = std::any_of(first, mantissaEnd, [](char c) { return c >= '1' && c <= '9'; });
  if ((std::isinf(read) && !infinityWritten) || (read == 0 && nonZeroDigit))
    return {r.ptr, std::errc::result_out_of_range};
  value = read;
  return {r.ptr, std::errc()};
}
