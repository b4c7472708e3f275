// Sample card tracks and the row type of the per-connection-model read tables, for both
// libraries' tests against the virtual reader.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "virtual_reader.h"

namespace xtest::cards {

using xsim::Card;
using xsim::Track;

inline constexpr std::int32_t kNone = -1;  // the track is not in the report

// Track texts within what each slot holds (JIS II 69, ISO1 76, ISO2 37, ISO3 104).
inline const Track t1 = Track::text("%B4000123412341234^READER/TEST^2512?");
inline const Track t2 = Track::text(";4000123412341234=2512101?");
inline const Track t3 = Track::text(";011234567890123456789=0000?");
inline const Track t4 = Track::text("JIS2 DATA 0123456789");
inline const Track none = Track::none();
inline const std::string d1 = t1.data, d2 = t2.data, d3 = t3.data, d4 = t4.data;

// Tracks as long as their slots hold, so that a field ends at its length, not at a separator.
inline std::string filled(std::size_t length, char first) {
  std::string s;
  for (std::size_t i = 0; i < length; ++i) s += static_cast<char>(first + i % 10);
  return s;
}
inline const std::string f1 = filled(76, 'A'), f2 = filled(37, '0'), f3 = filled(104, 'a'),
                         f4 = filled(69, 'K');
inline const Card full{{Track::text(f1), Track::text(f2), Track::text(f3), Track::text(f4)}};

// A card presented under a connection model, and what the track queries must give.
struct ModelRow {
  std::uint32_t code;
  Card card;
  std::array<std::int32_t, 4> results;
  std::array<std::string, 4> data;  // what GetTrk1Data..GetTrk4Data give
};

inline void PrintTo(const ModelRow& row, std::ostream* os) {
  *os << "model " << row.code << " results";
  for (const std::int32_t r : row.results) *os << ' ' << r;
  *os << " lengths";
  for (const std::string& d : row.data) *os << ' ' << d.size();
}

}  // namespace xtest::cards
