#include "read_command.h"

#include <cstring>
#include <iterator>
#include <string_view>

#include "command_shapes.h"
#include "result.h"

namespace xerv1 {

using devlink::Command;

namespace {

// What a connection model code lets a read ask for.
enum class Selection {
  Ignored,  // any selection; none is sent
  Track1,   // "1" only
  Track2,   // "2" only
  Track3,   // "3" only
  Tracks,   // any rising combination of "1", "2", "3"
};

// By connection model code, from 0 to 11; every code above ignores the selection.
constexpr Selection kSelections[] = {
    Selection::Track1, Selection::Tracks,  Selection::Track1,  Selection::Track2,
    Selection::Track3, Selection::Ignored, Selection::Ignored, Selection::Track1,
    Selection::Tracks, Selection::Track1,  Selection::Track2,  Selection::Track3,
};

Selection selection_of(std::uint32_t model) {
  return model < std::size(kSelections) ? kSelections[model] : Selection::Ignored;
}

// Checks a selection against what the code allows: 0, 901 or 902.
int check_selection(Selection allowed, std::string_view s) {
  if (allowed == Selection::Tracks) {
    if (s.size() > 3) return devlink::kBadLength;
    char last = '0';
    for (const char ch : s) {
      if (ch <= last || ch > '3') return devlink::kBadValue;
      last = ch;
    }
    return devlink::kOk;
  }
  if (s.size() != 1) return devlink::kBadLength;
  const char only = allowed == Selection::Track1 ? '1' : allowed == Selection::Track2 ? '2' : '3';
  return s[0] == only ? devlink::kOk : devlink::kBadValue;
}

}  // namespace

Command mag_card_read(devlink::CardStore& card, const CommandId& read, const char* selection) {
  card.request = {};
  Command c = plain(read);
  if (devlink::absent(selection)) return c;
  const Selection allowed = selection_of(card.model);
  if (allowed == Selection::Ignored) return c;
  // Four characters are enough to tell a selection that is too long.
  const std::string_view s(selection, ::strnlen(selection, 4));
  if (const int r = check_selection(allowed, s); r != devlink::kOk) return Command::fail(r);
  c.append(s);
  for (const char ch : s) {
    const int track = ch - '0';
    card.request[static_cast<std::size_t>(track - 1)] = track;
  }
  return c;
}

}  // namespace xerv1
