// What the virtual reader is given to read: a magnetic card (up to four tracks, each with data, a
// read error or nothing) and an IC card.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xsim {

struct Track {
  enum class Kind { None, Data, Error };
  Kind kind = Kind::None;
  char status = '0';  // the status character sent before the data, or the error digit '1'..'8'
  std::string data;

  static Track none() { return {}; }
  static Track text(std::string data) { return {Kind::Data, '0', std::move(data)}; }
  // A read error: digit 1..8; anything else is taken as 1.
  static Track error(int digit);
  bool operator==(const Track&) const = default;
};

inline constexpr std::size_t kTracks = 4;

// Tracks 1 to 3 as the connection model places them, and the fourth (JIS II) track of the
// four-track models.
struct Card {
  std::array<Track, kTracks> tracks;
  bool operator==(const Card&) const = default;
};

// A card with the three ISO tracks filled, for demonstrations (--auto-card).
Card sample_card();

// An IC card: its answer to activation and the answer it gives to every data block.
struct IcCard {
  std::vector<std::uint8_t> atr;
  std::vector<std::uint8_t> response;
};

// The answers a sample IC card gives.
IcCard sample_ic_card();

}  // namespace xsim
