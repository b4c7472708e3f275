#include "write_layout.h"

#include <span>
#include <string_view>

#include "command_shapes.h"
#include "result.h"

namespace devlink {

namespace {

// One code's layout: `track` (0 to 2) between `before` and `after` separators, or, with track -1,
// the three separated fields.
struct WriteRow {
  std::uint32_t code;
  int track;
  int before = 0;
  int after = 0;
};
constexpr int kSeparated = -1;

constexpr WriteRow kXerv3Writes[] = {
    {0, 0},         {100, 0},     {1, kSeparated}, {101, kSeparated}, {2, 0, 0, 2},
    {102, 0, 0, 2}, {3, 1, 1, 1}, {103, 1, 1, 1},  {4, 2, 2, 0},      {104, 2, 2, 0},
};

// The XERV1 reader takes a single track without separators.
constexpr WriteRow kXerv1Writes[] = {
    {0, 0}, {100, 0}, {102, 0}, {101, kSeparated}, {103, 1}, {104, 2},
};

const WriteRow* find_write(std::span<const WriteRow> rows, std::uint32_t code) {
  for (const WriteRow& row : rows)
    if (row.code == code) return &row;
  return nullptr;
}

// One track text between its separators; the text must be given (900) and not empty (902).
int append_one_track(Command& c, std::uint8_t separator, const char* text, const WriteRow& row) {
  if (text == nullptr) return kNullArg;
  if (text[0] == '\0') return kBadValue;
  bool fits = true;
  for (int i = 0; i < row.before; ++i) fits = fits && c.push(separator);
  fits = fits && c.append(std::string_view(text));
  for (int i = 0; i < row.after; ++i) fits = fits && c.push(separator);
  return fits ? kOk : kBadValue;
}

int append_fields(Command& c, CardStore& card, const WriteRow& row, std::uint8_t separator,
                  const char* const tracks[3]) {
  if (row.track == kSeparated)
    return append_separated_tracks(c, card, separator, tracks[0], tracks[1], tracks[2]) ? kOk
                                                                                        : kBadValue;
  return append_one_track(c, separator, tracks[row.track], row);
}

}  // namespace

int append_write_tracks(Command& c, CardStore& card, Protocol protocol, std::uint8_t separator,
                        const char* track1, const char* track2, const char* track3) {
  const WriteRow* row = protocol == Protocol::Xerv3 ? find_write(kXerv3Writes, card.model)
                                                    : find_write(kXerv1Writes, card.model);
  if (row == nullptr) return kOk;  // the header alone
  const char* const tracks[3] = {track1, track2, track3};
  int r = append_fields(c, card, *row, separator, tracks);
  if (r == kOk && c.length > kMaxWriteText) r = kBadValue;
  if (r != kOk) card.request = {};
  return r;
}

}  // namespace devlink
