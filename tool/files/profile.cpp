#include "profile.h"

namespace xtool::files {

Profile Profile::parse(std::string_view) { return {}; }
std::optional<Profile> Profile::load(const std::string&, Legacy) { return std::nullopt; }
const std::string* Profile::find(std::string_view, std::string_view) const { return nullptr; }
std::string Profile::get(std::string_view, std::string_view, std::string_view def) const {
  return std::string(def);
}
bool Profile::has(std::string_view, std::string_view) const { return false; }

}  // namespace xtool::files
