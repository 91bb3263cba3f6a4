// Reads a decimal number as std::from_chars reads a double in the general format,
// locale-free and correctly rounded, on standard libraries that lack the floating-
// point from_chars (LLVM's libc++ before version 20).
#pragma once

#include <charconv>

// No leading '+' or blanks; "inf", "infinity" and "nan" are read. A finite number too
// large for a double, or one with a non-zero digit that rounds to zero, is
// result_out_of_range and leaves value as it was.
std::from_chars_result ReadDouble(const char* first, const char* last, double& value);
