#include "write_commands.h"

#include <span>
#include <string_view>

#include "reply.h"
#include "result.h"
#include "write_layout.h"

namespace xerv1 {

using devlink::Command;

static_assert(1 + kNttDataMax <= devlink::kMaxCommandText, "an NTT write must fit a command");

namespace {

// The connection model code under which NTT data is sent.
constexpr std::uint32_t kNttModel = 100;

}  // namespace

Command mag_card_write(devlink::CardStore& card, std::uint8_t separator, const CommandId& write,
                       const char* track1, const char* track2, const char* track3) {
  if (track1 == nullptr && track2 == nullptr && track3 == nullptr)
    return Command::fail(devlink::kNullArg);
  card.request = {};
  Command c = plain(write);
  const int r = devlink::append_write_tracks(c, card, devlink::Protocol::Xerv1, separator, track1,
                                             track2, track3);
  return r == devlink::kOk ? c : Command::fail(r);
}

Command ntt_write(devlink::CardStore& card, const CommandId& write, const std::int32_t* length,
                  const char* data) {
  card.request = {};
  if (length == nullptr) return Command::fail(devlink::kBadValue);
  if (data == nullptr) return Command::fail(devlink::kNullArg);
  const std::int32_t n = *length;
  if (n < 0 || n > kNttDataMax) return Command::fail(devlink::kBadLength);
  Command c = plain(write);
  if (card.model == kNttModel)
    c.append(std::span(reinterpret_cast<const std::uint8_t*>(data), static_cast<std::size_t>(n)));
  return c;
}

}  // namespace xerv1
