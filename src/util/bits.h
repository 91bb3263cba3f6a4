// The bits of one value as another type of the same size (what std::bit_cast does,
// for standard libraries that lack it).
#pragma once

#include <cstring>
#include <type_traits>

template <class To, class From>
To BitCopy(const From& from) {
  static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<From> &&
                std::is_trivially_copyable_v<To>);
  To to;
  std::memcpy(&to, &from, sizeof(To));
  return to;
}
