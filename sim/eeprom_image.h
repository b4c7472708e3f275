// The reader's EEPROM: 128 bytes in 8 rows of 16, read and written as upper-case hexadecimal text
// by byte ("3A"), by row ("3*") or, for reading, as a whole ("**"). Access is opened with the
// access code; writing needs it enabled as well.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "reply.h"

namespace xsim {

using devlink::Protocol;

inline constexpr std::size_t kEepromSize = 128;
inline constexpr std::size_t kEepromRowSize = 16;

// Addresses the tools read: the protocol byte, the track arrangement and the track format codes.
inline constexpr std::uint8_t kProtocolByte = 0x2C;
inline constexpr std::uint8_t kTrackArrangement = 0x45;
inline constexpr std::uint8_t kFormatCodes[] = {0x00, 0x08, 0x10, 0x18};

// The protocol byte's values: 00 runs the reader with XERV3, anything else with XERV1.
inline constexpr std::uint8_t kProtocolXerv3 = 0x00;
inline constexpr std::uint8_t kProtocolXerv1 = 0x01;

class Eeprom {
 public:
  enum class Access { Ok, Closed, BadAddress, BadData };

  explicit Eeprom(Protocol protocol);

  bool open = false;
  bool write_enabled = false;
  // Ends access; writing has to be enabled again after the next open.
  void close() {
    open = false;
    write_enabled = false;
  }

  // The hexadecimal text of the byte, row or whole EEPROM an address names.
  Access read(std::string_view address, std::string& hex) const;
  // Writes a byte (2 characters) or a row (32 characters).
  Access write(std::string_view address, std::string_view hex);

  // Sets the byte a one-byte address names ("45"); false for any other address.
  bool set_byte(std::string_view address, std::uint8_t value);

  void set_protocol(Protocol protocol);
  const std::array<std::uint8_t, kEepromSize>& bytes() const { return bytes_; }
  std::array<std::uint8_t, kEepromSize>& bytes() { return bytes_; }
  // Eight lines of "row: 32 hex digits", for people.
  std::string dump() const;

 private:
  std::array<std::uint8_t, kEepromSize> bytes_{};
};

}  // namespace xsim
