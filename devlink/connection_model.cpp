#include "connection_model.h"

#include <array>
#include <span>

namespace devlink {

namespace {

using Slots = std::array<std::int32_t, kTrackCount>;

// A range of codes and what they set. one_track: the reader sends one whole track, so the
// separator mode becomes 2.
struct ModelRow {
  std::uint32_t first;
  std::uint32_t last;
  Slots slots;
  bool one_track = false;
};

constexpr ModelRow kXerv3Models[] = {
    {0, 0, {kSlotJis2, 0, 0, -1}, true},
    {100, 100, {kSlotJis2, 0, 0, -1}, true},
    {2, 2, {kSlotIso1, 0, 0, -1}},
    {102, 102, {kSlotIso1, 0, 0, -1}},
    {3, 3, {0, kSlotIso2, 0, -1}},
    {103, 103, {0, kSlotIso2, 0, -1}},
    {4, 4, {0, 0, kSlotIso3, -1}},
    {104, 104, {0, 0, kSlotIso3, -1}},
    {5, 5, {kSlotIso1, kSlotIso2, 0, -1}},
    {6, 6, {0, kSlotIso2, kSlotIso3, -1}},
    {7, 7, {kSlotIso1, kSlotIso2, kSlotIso3, kSlotJis2}},
    {105, 105, {kSlotIso1, kSlotIso2, kSlotIso3, kSlotJis2}},
    {101, 101, {kSlotIso1, kSlotIso2, kSlotIso3, -1}},
    {201, 204, {kSlotIso1, kSlotIso2, kSlotIso3, -1}},
};

constexpr ModelRow kXerv1Models[] = {
    {0, 0, {kSlotJis2, 0, 0, -1}, true},
    {20, 20, {kSlotJis2, 0, 0, -1}, true},
    {100, 100, {kSlotJis2, 0, 0, -1}, true},
    {600, 600, {kSlotJis2, 0, 0, -1}, true},
    {1, 1, {kSlotIso1, kSlotIso2, kSlotIso3, -1}},
    {21, 21, {kSlotIso1, kSlotIso2, kSlotIso3, -1}},
    {101, 101, {kSlotIso1, kSlotIso2, kSlotIso3, -1}},
    {2, 2, {kSlotIso1, 0, 0, -1}},
    {22, 22, {kSlotIso1, 0, 0, -1}},
    {102, 102, {kSlotIso1, 0, 0, -1}},
    {3, 3, {0, kSlotIso2, 0, -1}},
    {23, 23, {0, kSlotIso2, 0, -1}},
    {103, 103, {0, kSlotIso2, 0, -1}},
    {4, 4, {0, 0, kSlotIso3, -1}},
    {24, 24, {0, 0, kSlotIso3, -1}},
    {104, 104, {0, 0, kSlotIso3, -1}},
    {5, 5, {kSlotIso1, kSlotIso2, 0, -1}},
    {25, 26, {kSlotIso1, kSlotIso2, 0, -1}},
    {6, 6, {0, kSlotIso2, kSlotIso3, -1}},
    {27, 27, {0, kSlotIso2, kSlotIso3, -1}},
    {12, 12, {kSlotIso1, kSlotIso2, kSlotIso3, kSlotJis2}},
    {105, 105, {kSlotIso1, kSlotIso2, kSlotIso3, kSlotJis2}},
};

// XERV1 readers know no model codes above this one; they are set without asking the reader.
inline constexpr std::uint32_t kXerv1LastQueriedModel = 105;

const ModelRow* find_model(std::span<const ModelRow> rows, std::uint32_t code) {
  for (const ModelRow& row : rows) {
    if (code >= row.first && code <= row.last) return &row;
  }
  return nullptr;
}

}  // namespace

bool set_connection_model(CardStore& card, FrameFormat& format, Protocol protocol,
                          std::uint32_t code) {
  card.slot = kNoSlots;
  card.model = code;
  const ModelRow* row =
      protocol == Protocol::Xerv3 ? find_model(kXerv3Models, code) : find_model(kXerv1Models, code);
  if (row != nullptr) {
    card.slot = row->slots;
    // Mode 2 always separates with the fixed character; the user character stays unused.
    if (row->one_track) format.set_separator(2, format.separator);
  }
  return protocol == Protocol::Xerv3 || code <= kXerv1LastQueriedModel;
}

}  // namespace devlink
