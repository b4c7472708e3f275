#include "card_commands.h"

#include <cstring>
#include <string_view>

#include "card_shapes.h"
#include "command_shapes.h"
#include "result.h"

namespace xerv1 {

using devlink::Command;

Command status_check(const char* out) {
  // The reply has nowhere to go without a buffer.
  return out == nullptr ? Command::fail(devlink::kNullArg) : plain(cmd::kStatus);
}

Command write_mode_selection(const char* mode) {
  return choice(cmd::kWriteModeSelection, mode, "012");
}

Command cleaning_card(const char* how) {
  return first_char(cmd::kCleaning, how);
}

Command test_cmd(const char* test) {
  return with_value(cmd::kTest, test);
}

Command data_return(devlink::Store& store, const char* ten) {
  const std::size_t n = store.data_return.size();
  if (const int r = devlink::check_length(ten, n); r != devlink::kOk) return Command::fail(r);
  std::memcpy(store.data_return.data(), ten, n);
  Command c = plain(cmd::kDataReturn);
  c.append(std::string_view(ten, n));
  return c;
}

Command connection_model_setup(devlink::CardStore& card, devlink::FrameFormat& format,
                               const std::uint32_t* code) {
  return devlink::connection_model_command(card, format, devlink::Protocol::Xerv1, code,
                                           cmd::kTrackInfo.request, cmd::kTrackInfo.text);
}

}  // namespace xerv1
