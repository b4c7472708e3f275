// The reader's EEPROM commands as both libraries send them: the address and data checks, the
// command texts built with each library's own command letters, the access code that opens the
// EEPROM, and the decoding of the data the reader sends back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "command.h"
#include "reply.h"

namespace devlink {

// Request codes of the EEPROM commands; the three read codes also select the reply decoding.
inline constexpr int kEeOpen = 144;
inline constexpr int kEeClose = 145;
inline constexpr int kEeReadByte = 146;
inline constexpr int kEeReadRow = 147;
inline constexpr int kEeReadAll = 148;
inline constexpr int kEeWriteByte = 149;
inline constexpr int kEeWriteRow = 150;
inline constexpr int kEeEnable = 151;
inline constexpr int kEeDisable = 152;

// Data travels as upper-case hexadecimal text, two characters per byte: one byte, one row of
// 16 bytes, or the whole EEPROM of 8 rows.
inline constexpr std::size_t kEeByteChars = 2;
inline constexpr std::size_t kEeRowChars = 32;
inline constexpr std::size_t kEeAllChars = 256;
static_assert(kEeAllChars == kDataBlockSize);

// The command letters of one library, e.g. "ER" (XERV3) or "s" (XERV1) to read.
struct EepromLetters {
  std::string_view open;
  std::string_view close;
  std::string_view enable;
  std::string_view disable;
  std::string_view read;
  std::string_view write;
};

// What a two-character address names: row '0'..'7' with column '0'..'9' or 'A'..'F' is one byte,
// a row with '*' the whole row, "**" the whole EEPROM.
enum class EepromSpan { Byte, Row, All };
std::optional<EepromSpan> parse_eeprom_address(std::string_view address);

// The six-letter access code, kept as the positions of its letters in the alphabet (0 = 'A') and
// put together only when the open command is built, so it never sits in the library as text.
inline constexpr std::size_t kAccessCodeLength = 6;
using AccessCode = std::array<std::uint8_t, kAccessCodeLength>;
std::array<char, kAccessCodeLength> assemble_access_code(const AccessCode& positions);

// Open: letters + the access code. Close, enable, disable: the letters alone.
Command eeprom_open(const EepromLetters& letters, const AccessCode& code);
Command eeprom_close(const EepromLetters& letters);
Command eeprom_enable(const EepromLetters& letters);
Command eeprom_disable(const EepromLetters& letters);

// Read: letters + address, request 146 (byte), 147 (row) or 148 (all). Null address 900, any
// other address 902.
Command eeprom_read(const EepromLetters& letters, const char* address);

// The caller's buffer a read of `address` fills: its data characters and a NUL (3, 33 or 257
// bytes); 0 for a null or refused address.
std::size_t eeprom_read_size(const char* address);

// Write: letters + address + data, request 149 (byte) or 150 (row). Null address or data 900;
// an address that names no byte or row ("**" included) 902; data that is not exactly 2 (byte)
// or 32 (row) characters of '0'..'9' and 'A'..'F' 902.
Command eeprom_write(const EepromLetters& letters, const char* address, const char* data);

// Decodes an EEPROM reply whose data starts at `data_at` (after the letters and the echoed
// address). The waiting read's request code selects how much is copied into env.out: 146 two
// characters, 147 thirty-two, 148 (and any other code) 256, each followed by a NUL (as
// copy_reply: what arrived is copied, 909 when it was short). Any other command that hands over
// a buffer gets 909 and nothing is copied: its buffer is sized for a different reply. With no
// command waiting (request 0) the data goes into the
// store's data block instead: a full reply stores 256 characters and sets the length word to
// 256; a short one stores what arrived, zero-fills the rest, sets the length word to the number
// of characters that arrived and gives 909; a reply with no data characters leaves the block
// as it was.
int decode_eeprom_reply(const ReplyEnv& env, std::size_t data_at);

// The decoder for a library's reply table, e.g. eeprom_decoder<4> for "ER" + two address
// characters.
template <std::size_t DataAt>
int eeprom_decoder(const ReplyEnv& env) {
  return decode_eeprom_reply(env, DataAt);
}

}  // namespace devlink
