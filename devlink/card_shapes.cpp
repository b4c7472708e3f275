#include "card_shapes.h"

#include <cstring>

#include "command_shapes.h"
#include "connection_model.h"
#include "result.h"

namespace devlink {

Command choice_command(int request, std::string_view letters, const char* value,
                       std::string_view allowed) {
  if (const int r = check_choice(value, allowed); r != kOk) return Command::fail(r);
  Command c = Command::make(request, letters);
  c.push(static_cast<std::uint8_t>(value[0]));
  return c;
}

Command first_char_command(int request, std::string_view letters, const char* value) {
  if (value == nullptr) return Command::fail(kNullArg);
  if (value[0] == '\0') return Command::fail(kBadValue);
  Command c = Command::make(request, letters);
  c.push(static_cast<std::uint8_t>(value[0]));
  return c;
}

Command connection_model_command(CardStore& card, FrameFormat& format, Protocol protocol,
                                 const std::uint32_t* code, int request, std::string_view letters) {
  if (code == nullptr) {
    card.slot = kNoSlots;  // a refused code still forgets the model's slots
    return Command::fail(kNullArg);
  }
  if (!set_connection_model(card, format, protocol, *code)) return Command{};  // nothing to ask
  return Command::make(request, letters);
}

}  // namespace devlink
