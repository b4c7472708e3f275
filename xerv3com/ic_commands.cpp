#include "ic_commands.h"

#include <span>

#include "result.h"

namespace xerv3 {

using devlink::Command;

static_assert(4 + kIcBlockMax <= devlink::kMaxCommandText, "an IC block must fit a command");

namespace {

// letters + the length bytes of `length` (high byte first): the head of an IC data block.
Command block_head(std::string_view letters, std::int32_t length) {
  Command c = Command::make(kIcDataRequest, letters);
  c.push(static_cast<std::uint8_t>((length >> 8) & 0xFF));
  c.push(static_cast<std::uint8_t>(length & 0xFF));
  return c;
}

std::span<const std::uint8_t> bytes_of(const char* data, std::int32_t count) {
  if (count <= 0) return {};
  return {reinterpret_cast<const std::uint8_t*>(data), static_cast<std::size_t>(count)};
}

}  // namespace

Command ic_card_set() {
  return Command::make(kIcSetRequest, "IU");
}
Command ic_card_deactivation() {
  return Command::make(kIcPowerRequest, "IE");
}
Command ic_card_activate() {
  return Command::make(kIcPowerRequest, "IN");
}
Command ic_card_activate_emv() {
  return Command::make(kIcPowerRequest, "IS");
}

Command ic_card_data_send(const std::int32_t* length, const char* first, const char* data) {
  if (length == nullptr) return Command::fail(devlink::kNullArg);
  const std::int32_t n = *length;
  if (n < 1 || n > kIcBlockMax) return Command::fail(devlink::kBadValue);
  if (first == nullptr || (n > 1 && data == nullptr)) return Command::fail(devlink::kNullArg);
  Command c = block_head("IP", n);
  c.push(static_cast<std::uint8_t>(first[0]));
  c.append(bytes_of(data, n - 1));
  return c;
}

Command ic_card_data_send_emv(const std::int32_t* length, const char* data) {
  if (length == nullptr) return Command::fail(devlink::kNullArg);
  const std::int32_t n = *length;
  if (n < 0 || n > kIcBlockMax) return Command::fail(devlink::kBadValue);
  if (n > 0 && data == nullptr) return Command::fail(devlink::kNullArg);
  Command c = block_head("IC", n);
  c.append(bytes_of(data, n));
  return c;
}

}  // namespace xerv3
