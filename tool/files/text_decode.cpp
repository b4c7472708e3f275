#include "text_decode.h"

namespace xtool::files {

bool is_valid_utf8(std::string_view) { return true; }
std::string decode_text(std::string_view bytes, Legacy) { return std::string(bytes); }

}  // namespace xtool::files
