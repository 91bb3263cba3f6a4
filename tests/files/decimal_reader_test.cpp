// The DXF number reader against the standard library's from_chars, where the library
// has one for doubles: the same value, the same end and the same error for edge
// cases and for many printed doubles.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "files/decimal_reader.h"

namespace {

TEST(DecimalReaderTest, ReadsAsFromCharsDoes) {
  const char* texts[] = {"1.5", "-0", ".5", "5.", "00001", "1e", "1e+", "1_0", "1,5", " 1", "+1",
                         "", "-", "e5", "nan", "inf", "-Infinity", "1e400", "-1e400", "1e-400",
                         "2e-324", "3e-324", "4.9e-324", "1.7976931348623157e308",
                         "1.7976931348623159e308", "0e999", "0.000e-999", "123456789012345678901234567890"};
  std::vector<std::string> cases(std::begin(texts), std::end(texts));
  std::mt19937_64 random(7);
  for (int i = 0; i < 2000; ++i) {
    double d;
    const std::uint64_t bits = random();
    std::memcpy(&d, &bits, sizeof d);
    char text[40];
    std::snprintf(text, sizeof text, i % 2 ? "%.17g" : "%.6e", d);
    cases.push_back(text);
  }
  for (const std::string& text : cases) {
    const char* first = text.data();
    const char* last = first + text.size();
    double ours = -7;
    const std::from_chars_result r = ReadDouble(first, last, ours);
#if defined(__GLIBCXX__)
    double theirs = -7;
    const std::from_chars_result s = std::from_chars(first, last, theirs);
    EXPECT_EQ(r.ptr - first, s.ptr - first) << text;
    EXPECT_EQ(r.ec, s.ec) << text;
    if (std::isnan(theirs)) {
      EXPECT_TRUE(std::isnan(ours)) << text;
    } else {
      EXPECT_EQ(std::memcmp(&ours, &theirs, sizeof ours), 0) << text;
    }
#else
    // Without a reference, the cases whose answer is known.
    if (text == "1e-400" || text == "1e400") EXPECT_EQ(r.ec, std::errc::result_out_of_range);
    if (text == "1e-400") EXPECT_EQ(ours, -7);
    if (text == "1.5") EXPECT_EQ(ours, 1.5);
#endif
  }
}

}  // namespace
