#include "tool_settings.h"

namespace xtool::files {

ToolSettings read_tool_settings(const Profile&) { return {}; }
std::optional<int> parse_int(std::string_view) { return std::nullopt; }

}  // namespace xtool::files
