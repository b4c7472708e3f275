// Card-data and write-result reports: the report's data is split into tracks by the connection
// model code, following a small layout table per protocol.
#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "reports.h"

namespace devlink {

namespace {

// A layout is a string of steps read left to right:
//   S    one separator character that must be there;
//   Fk   a field of track k followed by a separator: status character, then data up to the next
//        separator, the slot's maximum length or the end of the data;
//   Lk   the last field: status character, then all remaining characters are track k's data;
//   Wk   one write-result status character for track k;
//   f, w as F and W, but the field may be missing, which a separator at its place shows.
// When a field that may be missing is missing and `after_missing` is not empty, the layout goes on
// with `after_missing` from there (a four-track report without track 2 has only three fields).
struct Layout {
  std::string_view steps;
  std::string_view after_missing = {};
};

// The layouts of separator modes 2 and 3 chosen by the tracks the read asked for, indexed by a
// mask of the request flags (bit 0 track 1, bit 1 track 2, bit 2 track 3).
using Selection = std::array<Layout, 8>;

// How one connection model code splits card data: `plain` in separator modes 0 and 1; in modes 2
// and 3 `by_selection` when there is one, else `grouped`.
struct Shape {
  Layout plain;
  Layout grouped;
  const Selection* by_selection = nullptr;
};

template <typename T>
struct CodeEntry {
  std::uint32_t code;
  const T* value;
};

template <typename T>
const T* find_code(std::span<const CodeEntry<T>> table, std::uint32_t code) {
  for (const CodeEntry<T>& entry : table) {
    if (entry.code == code) return entry.value;
  }
  return nullptr;
}

// Entries by selected tracks: none, 1, 2, 1+2, 3, 1+3, 2+3, all; an empty layout splits nothing.
// A track that may be missing in separator modes 0 and 1 may be missing here too.
constexpr Selection kSelectTracks12{{{"f1SL2"}, {"L1"}, {"L2"}, {}, {}, {}, {}, {}}};
constexpr Selection kSelectTracks23{{{"f2SL3"}, {}, {"L2"}, {}, {"L3"}, {}, {}, {}}};
constexpr Selection kSelectTracks123{
    {{"f1Sf2SL3"}, {"L1"}, {"L2"}, {"f1SL2"}, {"L3"}, {"f1SL3"}, {"f2SL3"}, {}}};

constexpr Shape kTrack1Only{{"L1"}, {"L1"}};
constexpr Shape kTrack2Only{{"L2"}, {"L2"}};
constexpr Shape kTrack3Only{{"L3"}, {"L3"}};
constexpr Shape kTrack1Field{{"F1"}, {"L1"}};
constexpr Shape kTrack2Field{{"SF2"}, {"L2"}};
constexpr Shape kTrack3Field{{"SSF3"}, {"L3"}};
constexpr Shape kTracks12{{"f1SF2"}, {}, &kSelectTracks12};
constexpr Shape kTracks23{{"Sf2SL3"}, {}, &kSelectTracks23};
constexpr Shape kTracks123{{"f1Sf2SL3"}, {}, &kSelectTracks123};
constexpr Layout kFourTracks{"F1Sf2SF3SL4", "SL3"};
constexpr Shape kTracks1234{kFourTracks, kFourTracks};

constexpr CodeEntry<Shape> kXerv3CardShapes[] = {
    {0, &kTrack1Only},  {100, &kTrack1Only},  {2, &kTrack1Field}, {102, &kTrack1Field},
    {3, &kTrack2Field}, {103, &kTrack2Field}, {4, &kTrack3Field}, {104, &kTrack3Field},
    {5, &kTracks12},    {6, &kTracks23},      {7, &kTracks1234},  {105, &kTracks1234},
    {1, &kTracks123},   {101, &kTracks123},   {300, &kTracks123}, {400, &kTracks123},
};

constexpr CodeEntry<Shape> kXerv1CardShapes[] = {
    {20, &kTrack1Only},  {22, &kTrack1Only},  {100, &kTrack1Only}, {102, &kTrack1Only},
    {600, &kTrack1Only}, {0, &kTracks123},    {21, &kTracks123},   {101, &kTracks123},
    {12, &kTracks1234},  {105, &kTracks1234}, {23, &kTrack2Only},  {103, &kTrack2Only},
    {24, &kTrack3Only},  {104, &kTrack3Only}, {25, &kTracks23},    {26, &kTracks23},
    {27, &kTracks12},
};

constexpr Layout kWrite1{"W1"};
constexpr Layout kWrite2{"W2"};
constexpr Layout kWrite3{"W3"};
constexpr Layout kWrite2AfterSeparator{"SW2"};
constexpr Layout kWrite3AfterSeparators{"SSW3"};
constexpr Layout kWrite123{"w1Sw2SW3"};

constexpr CodeEntry<Layout> kXerv3WriteLayouts[] = {
    {0, &kWrite1},
    {100, &kWrite1},
    {2, &kWrite1},
    {102, &kWrite1},
    {3, &kWrite2AfterSeparator},
    {103, &kWrite2AfterSeparator},
    {4, &kWrite3AfterSeparators},
    {104, &kWrite3AfterSeparators},
    {1, &kWrite123},
    {101, &kWrite123},
};

constexpr CodeEntry<Layout> kXerv1WriteLayouts[] = {
    {0, &kWrite1},   {100, &kWrite1}, {102, &kWrite1},
    {103, &kWrite2}, {104, &kWrite3}, {101, &kWrite123},
};

// The most data characters a separated field takes, by slot identifier. A slot without a
// maximum (0, none named) is limited only by the track buffer, so a code that names no slots still
// splits its fields.
std::size_t field_limit(std::int32_t slot) {
  switch (slot) {
    case kSlotJis2:
      return 69;
    case kSlotIso1:
      return 76;
    case kSlotIso2:
      return 37;
    case kSlotIso3:
      return 104;
    default:
      return kTrackDataMax;
  }
}

// The result a status character gives: its value for an error digit '1' to '8', else 0.
std::int32_t status_result(std::uint8_t c) {
  return (c >= '1' && c <= '8') ? c - '0' : 0;
}
bool is_error_digit(std::uint8_t c) {
  return c >= '1' && c <= '8';
}

// Replaces a track's data and length. Without data characters the old data stays.
void store_track(CardStore& card, std::size_t track, std::span<const std::uint8_t> chars) {
  if (chars.empty()) return;
  const std::size_t n = std::min(chars.size(), kTrackDataMax);
  auto& buffer = card.data[track];
  buffer.fill('\0');
  std::copy_n(chars.begin(), n, buffer.begin());
  card.length[track] = static_cast<std::int32_t>(n);
}

class Splitter {
 public:
  Splitter(CardStore& card, std::span<const std::uint8_t> data, std::uint8_t separator)
      : card_(card), data_(data), separator_(separator) {}

  void run(const Layout& layout) {
    std::string_view steps = layout.steps;
    std::size_t i = 0;
    while (i < steps.size()) {
      const char op = steps[i++];
      if (op == 'S') {
        if (!take_separator()) return;
        continue;
      }
      if (i >= steps.size() || at_ == data_.size()) return;
      const std::size_t track = static_cast<std::size_t>(steps[i++] - '1');
      if ((op == 'f' || op == 'w') && data_[at_] == separator_) {
        if (!layout.after_missing.empty()) {
          steps = layout.after_missing;
          i = 0;
        }
        continue;  // a missing field: the track's result stays -1
      }
      read_field(op, track);
    }
  }

 private:
  bool take_separator() {
    if (at_ == data_.size() || data_[at_] != separator_) return false;
    ++at_;
    return true;
  }

  void read_field(char op, std::size_t track) {
    const std::uint8_t status = data_[at_++];
    card_.result[track] = status_result(status);
    if (op == 'W' || op == 'w' || is_error_digit(status)) return;
    const std::span<const std::uint8_t> rest = data_.subspan(at_);
    std::size_t n = rest.size();
    if (op != 'L') {
      const std::size_t limit = std::min(field_limit(card_.slot[track]), rest.size());
      n = static_cast<std::size_t>(std::find(rest.begin(), rest.begin() + limit, separator_) -
                                   rest.begin());
    }
    store_track(card_, track, rest.first(n));
    at_ += n;
  }

  CardStore& card_;
  std::span<const std::uint8_t> data_;
  std::uint8_t separator_;
  std::size_t at_ = 0;
};

std::size_t selection_index(const CardStore& card) {
  return (card.request[0] != 0 ? 1u : 0u) | (card.request[1] != 0 ? 2u : 0u) |
         (card.request[2] != 0 ? 4u : 0u);
}

const Layout* card_layout(const CardStore& card, Protocol protocol, const FrameFormat& format) {
  const Shape* shape = protocol == Protocol::Xerv3 ? find_code<Shape>(kXerv3CardShapes, card.model)
                                                   : find_code<Shape>(kXerv1CardShapes, card.model);
  if (shape == nullptr) return nullptr;
  if (!format.split_by_selection()) return &shape->plain;
  if (shape->by_selection != nullptr) return &(*shape->by_selection)[selection_index(card)];
  return &shape->grouped;
}

const Layout* write_layout(const CardStore& card, Protocol protocol) {
  return protocol == Protocol::Xerv3 ? find_code<Layout>(kXerv3WriteLayouts, card.model)
                                     : find_code<Layout>(kXerv1WriteLayouts, card.model);
}

// Starts a report: its status bit set, every track without a result yet.
void begin_report(Store& store, std::uint32_t status_bit) {
  store.status |= status_bit;
  store.card.result = {-1, -1, -1, -1};
}

}  // namespace

void store_card_data(Store& store, Protocol protocol, const FrameFormat& format,
                     std::span<const std::uint8_t> data) {
  begin_report(store, kStatusCardData);
  if (!store.card.has_slots()) return;
  const Layout* layout = card_layout(store.card, protocol, format);
  if (layout != nullptr) Splitter(store.card, data, format.separator).run(*layout);
}

void store_write_result(Store& store, Protocol protocol, const FrameFormat& format,
                        std::span<const std::uint8_t> data) {
  begin_report(store, kStatusWriteResult);
  if (!store.card.has_slots()) return;
  const Layout* layout = write_layout(store.card, protocol);
  if (layout != nullptr) Splitter(store.card, data, format.separator).run(*layout);
}

}  // namespace devlink
