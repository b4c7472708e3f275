// Test data for EEPROM rows and dumps: `n` upper-case hexadecimal digits, digit i being
// (i * step) mod 16, so that neighbouring digits differ and a shifted copy shows.
#pragma once

#include <cstddef>
#include <string>

namespace xtest {

inline std::string hex_pattern(std::size_t n, std::size_t step = 7) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += digits[(i * step) % 16];
  return s;
}

}  // namespace xtest
