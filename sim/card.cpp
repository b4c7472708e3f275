#include "card.h"

namespace xsim {

Track Track::error(int digit) {
  const char d = (digit >= 1 && digit <= 8) ? static_cast<char>('0' + digit) : '1';
  return {Kind::Error, d, {}};
}

Card sample_card() {
  Card c;
  c.tracks[0] = Track::text("B4000123412341234^SIMULATED/CARD^2512101000000000000");
  c.tracks[1] = Track::text("4000123412341234=25121010000000000");
  c.tracks[2] = Track::text("011234567890123456789=000000000000000000000000");
  return c;
}

IcCard sample_ic_card() {
  return {{0x3B, 0x02, 0x14, 0x50}, {0x90, 0x00}};
}

}  // namespace xsim
