#include "eeprom.h"

#include <algorithm>
#include <cstring>

#include "result.h"

namespace devlink {

namespace {

constexpr std::size_t kEeRows = 8;
constexpr std::size_t kAlphabet = 26;

bool is_row(char c) {
  return c >= '0' && c < static_cast<char>('0' + kEeRows);
}
bool is_upper_hex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// Length of a caller's string, looking no further than `limit` characters.
std::string_view bounded(const char* s, std::size_t limit) {
  return {s, ::strnlen(s, limit)};
}

}  // namespace

std::optional<EepromSpan> parse_eeprom_address(std::string_view address) {
  if (address.size() != 2) return std::nullopt;
  if (address == "**") return EepromSpan::All;
  if (!is_row(address[0])) return std::nullopt;
  if (address[1] == '*') return EepromSpan::Row;
  if (is_upper_hex(address[1])) return EepromSpan::Byte;
  return std::nullopt;
}

std::array<char, kAccessCodeLength> assemble_access_code(const AccessCode& positions) {
  std::array<char, kAccessCodeLength> code{};
  for (std::size_t i = 0; i < code.size(); ++i)
    code[i] = static_cast<char>('A' + positions[i] % kAlphabet);
  return code;
}

Command eeprom_open(const EepromLetters& letters, const AccessCode& code) {
  Command c = Command::make(kEeOpen, letters.open);
  const auto text = assemble_access_code(code);
  c.append(std::string_view{text.data(), text.size()});
  return c;
}

Command eeprom_close(const EepromLetters& letters) {
  return Command::make(kEeClose, letters.close);
}

Command eeprom_enable(const EepromLetters& letters) {
  return Command::make(kEeEnable, letters.enable);
}

Command eeprom_disable(const EepromLetters& letters) {
  return Command::make(kEeDisable, letters.disable);
}

Command eeprom_read(const EepromLetters& letters, const char* address) {
  if (address == nullptr) return Command::fail(kNullArg);
  const std::string_view a = bounded(address, 3);
  const auto span = parse_eeprom_address(a);
  if (!span) return Command::fail(kBadValue);
  const int request = *span == EepromSpan::Byte  ? kEeReadByte
                      : *span == EepromSpan::Row ? kEeReadRow
                                                 : kEeReadAll;
  Command c = Command::make(request, letters.read);
  c.append(a);
  return c;
}

std::size_t eeprom_read_size(const char* address) {
  if (address == nullptr) return 0;
  const auto span = parse_eeprom_address(bounded(address, 3));
  if (!span) return 0;
  return (*span == EepromSpan::Byte  ? kEeByteChars
          : *span == EepromSpan::Row ? kEeRowChars
                                     : kEeAllChars) +
         1;
}

Command eeprom_write(const EepromLetters& letters, const char* address, const char* data) {
  if (address == nullptr || data == nullptr) return Command::fail(kNullArg);
  const std::string_view a = bounded(address, 3);
  const auto span = parse_eeprom_address(a);
  if (!span || *span == EepromSpan::All) return Command::fail(kBadValue);
  const std::size_t want = *span == EepromSpan::Byte ? kEeByteChars : kEeRowChars;
  const std::string_view d = bounded(data, want + 1);
  if (d.size() != want || !std::all_of(d.begin(), d.end(), is_upper_hex))
    return Command::fail(kBadValue);
  Command c = Command::make(*span == EepromSpan::Byte ? kEeWriteByte : kEeWriteRow, letters.write);
  c.append(a);
  c.append(d);
  return c;
}

namespace {

// A whole-EEPROM reply that came while no command waited: kept in the data block.
int store_data_block(const ReplyEnv& env, std::size_t data_at) {
  const std::size_t have =
      env.text.size() > data_at ? std::min(kEeAllChars, env.text.size() - data_at) : 0;
  if (have == 0) return kUnknownReply;
  DataBlock& block = env.store.block;
  block.data.fill('\0');
  std::memcpy(block.data.data(), env.text.data() + data_at, have);
  block.length = static_cast<std::int32_t>(have);
  return have == kEeAllChars ? kOk : kUnknownReply;
}

}  // namespace

int decode_eeprom_reply(const ReplyEnv& env, std::size_t data_at) {
  switch (env.request) {
    case 0:
      return store_data_block(env, data_at);
    case kEeReadByte:
      return copy_reply(env, data_at, kEeByteChars);
    case kEeReadRow:
      return copy_reply(env, data_at, kEeRowChars);
    case kEeReadAll:
      return copy_reply(env, data_at, kEeAllChars);
    default:
      // Another command's buffer is not sized for EEPROM data: nothing may be copied into it.
      if (env.out != nullptr) return kUnknownReply;
      return copy_reply(env, data_at, kEeAllChars);
  }
}

}  // namespace devlink
