#include "command_set.h"

#include "card_shapes.h"
#include "command_shapes.h"

namespace xerv1 {

using devlink::Command;

Command plain(const CommandId& id) {
  return Command::make(id.request, id.text);
}

Command choice(const CommandId& id, const char* value, std::string_view allowed) {
  return devlink::choice_command(id.request, id.text, value, allowed);
}

Command first_char(const CommandId& id, const char* value) {
  return devlink::first_char_command(id.request, id.text, value);
}

Command with_value(const CommandId& id, const char* value) {
  return devlink::single_value_setting(id.request, id.text, value);
}

}  // namespace xerv1
