#include "eeprom_image.h"

#include "eeprom.h"  // the link core's address rules
#include "frame_format.h"

namespace xsim {

namespace {

// Track format codes of the sample reader: IATA, ABA, MINTS on tracks 1 to 3, NTT on the
// fourth; arrangement 0 (slots 1, 2, 3 on tracks 1, 2, 3).
constexpr std::uint8_t kSampleFormats[] = {0x02, 0x03, 0x04, 0x01};

std::size_t byte_address(std::string_view address) {
  return static_cast<std::size_t>(address[0] - '0') * kEepromRowSize +
         static_cast<std::size_t>(
             devlink::parse_hex_pair('0', static_cast<std::uint8_t>(address[1])));
}

void append_hex(std::string& out, std::uint8_t b) {
  const auto h = devlink::hex_pair(b);
  out.push_back(static_cast<char>(h[0]));
  out.push_back(static_cast<char>(h[1]));
}

}  // namespace

Eeprom::Eeprom(Protocol protocol) {
  for (std::size_t i = 0; i < std::size(kFormatCodes); ++i)
    bytes_[kFormatCodes[i]] = kSampleFormats[i];
  bytes_[kTrackArrangement] = 0;
  set_protocol(protocol);
}

void Eeprom::set_protocol(Protocol protocol) {
  bytes_[kProtocolByte] = protocol == Protocol::Xerv3 ? kProtocolXerv3 : kProtocolXerv1;
}

bool Eeprom::set_byte(std::string_view address, std::uint8_t value) {
  if (devlink::parse_eeprom_address(address) != devlink::EepromSpan::Byte) return false;
  bytes_[byte_address(address)] = value;
  return true;
}

Eeprom::Access Eeprom::read(std::string_view address, std::string& hex) const {
  if (!open) return Access::Closed;
  const auto span = devlink::parse_eeprom_address(address);
  if (!span) return Access::BadAddress;
  hex.clear();
  std::size_t from = 0;
  std::size_t count = kEepromSize;
  if (*span == devlink::EepromSpan::Byte) {
    from = byte_address(address);
    count = 1;
  } else if (*span == devlink::EepromSpan::Row) {
    from = static_cast<std::size_t>(address[0] - '0') * kEepromRowSize;
    count = kEepromRowSize;
  }
  for (std::size_t i = 0; i < count; ++i) append_hex(hex, bytes_[from + i]);
  return Access::Ok;
}

Eeprom::Access Eeprom::write(std::string_view address, std::string_view hex) {
  if (!open || !write_enabled) return Access::Closed;
  const auto span = devlink::parse_eeprom_address(address);
  if (!span || *span == devlink::EepromSpan::All) return Access::BadAddress;
  const bool one = *span == devlink::EepromSpan::Byte;
  if (hex.size() != (one ? 2 : 2 * kEepromRowSize)) return Access::BadData;
  std::array<std::uint8_t, kEepromRowSize> data{};
  for (std::size_t i = 0; i < hex.size() / 2; ++i) {
    const int b = devlink::parse_hex_pair(static_cast<std::uint8_t>(hex[2 * i]),
                                          static_cast<std::uint8_t>(hex[2 * i + 1]));
    if (b < 0) return Access::BadData;
    data[i] = static_cast<std::uint8_t>(b);
  }
  const std::size_t from =
      one ? byte_address(address) : static_cast<std::size_t>(address[0] - '0') * kEepromRowSize;
  for (std::size_t i = 0; i < hex.size() / 2; ++i) bytes_[from + i] = data[i];
  return Access::Ok;
}

std::string Eeprom::dump() const {
  std::string out;
  for (std::size_t row = 0; row < kEepromSize / kEepromRowSize; ++row) {
    out += static_cast<char>('0' + row);
    out += ": ";
    for (std::size_t i = 0; i < kEepromRowSize; ++i) {
      append_hex(out, bytes_[row * kEepromRowSize + i]);
      if (i == 7) out += ' ';
    }
    out += '\n';
  }
  return out;
}

}  // namespace xsim
