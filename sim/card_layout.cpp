#include "card_layout.h"

#include <span>

#include "connection_model.h"
#include "store.h"

namespace xsim {

namespace {

// A layout is read left to right:
//   S    one separator character;
//   Fk   track k's field: its status character and, when it read well, its data;
//   Lk   the last field, laid out as F;
//   Wk   track k's write status character;
//   f, w as F and W, but left out (only the separator after it stays) when the track has nothing.
// A layout whose field may be missing goes on with `after_missing` when it is (a four-track
// report without track 2 carries only three fields).
struct Layout {
  std::string_view steps;
  std::string_view after_missing = {};
};

// Separator modes 2 and 3 lay out the tracks asked for; indexed by the selection (none, 1, 2,
// 1+2, 3, 1+3, 2+3, all). An empty entry has no layout of its own: the plain one is sent.
using BySelection = std::array<Layout, 8>;

struct Shape {
  Layout plain;    // separator modes 0 and 1
  Layout grouped;  // separator modes 2 and 3, when there is no layout by selection
  const BySelection* by_selection = nullptr;
};

constexpr BySelection kSelect12{{{"f1SL2"}, {"L1"}, {"L2"}, {}, {}, {}, {}, {}}};
constexpr BySelection kSelect23{{{"f2SL3"}, {}, {"L2"}, {}, {"L3"}, {}, {}, {}}};
constexpr BySelection kSelect123{
    {{"f1Sf2SL3"}, {"L1"}, {"L2"}, {"f1SL2"}, {"L3"}, {"f1SL3"}, {"f2SL3"}, {}}};

constexpr Shape kTrack1Only{{"L1"}, {"L1"}};
constexpr Shape kTrack2Only{{"L2"}, {"L2"}};
constexpr Shape kTrack3Only{{"L3"}, {"L3"}};
// A one-track model of a three-track reader still sends the other two fields empty.
constexpr Shape kTrack1Field{{"F1SS"}, {"L1"}};
constexpr Shape kTrack2Field{{"SF2S"}, {"L2"}};
constexpr Shape kTrack3Field{{"SSF3"}, {"L3"}};
constexpr Shape kTracks12{{"f1SF2"}, {"f1SF2"}, &kSelect12};
constexpr Shape kTracks23{{"Sf2SL3"}, {"Sf2SL3"}, &kSelect23};
constexpr Shape kTracks123{{"f1Sf2SL3"}, {"f1Sf2SL3"}, &kSelect123};
constexpr Layout kFourTracks{"F1Sf2SF3SL4", "SL3"};
constexpr Shape kTracks1234{kFourTracks, kFourTracks};

struct ShapeEntry {
  std::uint32_t code;
  const Shape* shape;
};

constexpr ShapeEntry kXerv3Shapes[] = {
    {0, &kTrack1Only},  {100, &kTrack1Only},  {2, &kTrack1Field}, {102, &kTrack1Field},
    {3, &kTrack2Field}, {103, &kTrack2Field}, {4, &kTrack3Field}, {104, &kTrack3Field},
    {5, &kTracks12},    {6, &kTracks23},      {7, &kTracks1234},  {105, &kTracks1234},
    {1, &kTracks123},   {101, &kTracks123},   {300, &kTracks123}, {400, &kTracks123},
};

constexpr ShapeEntry kXerv1Shapes[] = {
    {20, &kTrack1Only},  {22, &kTrack1Only},  {100, &kTrack1Only}, {102, &kTrack1Only},
    {600, &kTrack1Only}, {0, &kTracks123},    {21, &kTracks123},   {101, &kTracks123},
    {12, &kTracks1234},  {105, &kTracks1234}, {23, &kTrack2Only},  {103, &kTrack2Only},
    {24, &kTrack3Only},  {104, &kTrack3Only}, {25, &kTracks23},    {26, &kTracks23},
    {27, &kTracks12},
};

struct LayoutEntry {
  std::uint32_t code;
  std::string_view steps;
};

constexpr LayoutEntry kXerv3Writes[] = {
    {0, "W1"},    {100, "W1"}, {2, "W1"},     {102, "W1"},     {3, "SW2"},
    {103, "SW2"}, {4, "SSW3"}, {104, "SSW3"}, {1, "w1Sw2SW3"}, {101, "w1Sw2SW3"},
};

constexpr LayoutEntry kXerv1Writes[] = {
    {0, "W1"}, {100, "W1"}, {102, "W1"}, {103, "W2"}, {104, "W3"}, {101, "w1Sw2SW3"},
};

const Shape& shape_for(Protocol protocol, std::uint32_t model) {
  const std::span<const ShapeEntry> table =
      protocol == Protocol::Xerv3 ? std::span<const ShapeEntry>(kXerv3Shapes) : kXerv1Shapes;
  for (const ShapeEntry& e : table) {
    if (e.code == model) return *e.shape;
  }
  return kTracks123;  // a model without a layout of its own: the three tracks
}

const Layout& layout_for(const Shape& shape, const devlink::FrameFormat& format, Selection sel) {
  if (!format.split_by_selection()) return shape.plain;
  if (shape.by_selection == nullptr) return shape.grouped;
  const Layout& chosen = (*shape.by_selection)[sel & 7u];
  return chosen.steps.empty() ? shape.plain : chosen;
}

// The most data characters a track holds in its slot (the same limits the hosts apply).
std::size_t track_capacity(std::int32_t slot) {
  switch (slot) {
    case devlink::kSlotJis2:
      return 69;
    case devlink::kSlotIso1:
      return 76;
    case devlink::kSlotIso2:
      return 37;
    case devlink::kSlotIso3:
      return 104;
    default:
      return devlink::kTrackDataMax;
  }
}

std::array<std::int32_t, kTracks> slots_for(Protocol protocol, std::uint32_t model) {
  devlink::CardStore card;
  devlink::FrameFormat scratch;
  devlink::set_connection_model(card, scratch, protocol, model);
  return card.slot;
}

// Emits a layout; `field` gives a track's text, `missing` whether a may-be-missing field is left
// out.
template <typename Field, typename Missing>
std::string emit(const Layout& layout, std::uint8_t separator, Field field, Missing missing) {
  std::string out;
  std::string_view steps = layout.steps;
  std::size_t i = 0;
  while (i < steps.size()) {
    const char op = steps[i++];
    if (op == 'S') {
      out.push_back(static_cast<char>(separator));
      continue;
    }
    if (i >= steps.size()) break;
    const std::size_t track = static_cast<std::size_t>(steps[i++] - '1');
    if ((op == 'f' || op == 'w') && missing(track)) {
      if (!layout.after_missing.empty()) {
        steps = layout.after_missing;
        i = 0;
      }
      continue;
    }
    out += field(track);
  }
  return out;
}

std::string read_field(const Track& t, std::size_t capacity) {
  switch (t.kind) {
    case Track::Kind::Data:
      return t.status + t.data.substr(0, capacity);
    case Track::Kind::Error:
      return std::string(1, t.status);
    case Track::Kind::None:
      break;
  }
  return std::string(1, kNoDataError);
}

std::vector<std::string_view> split(std::string_view s, char separator) {
  std::vector<std::string_view> parts;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = s.find(separator, from);
    parts.push_back(
        s.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
    if (at == std::string_view::npos) return parts;
    from = at + 1;
  }
}

}  // namespace

std::string card_data(Protocol protocol, std::uint32_t model, const devlink::FrameFormat& format,
                      Selection selection, const Card& card) {
  const Layout& layout = layout_for(shape_for(protocol, model), format, selection);
  const auto slots = slots_for(protocol, model);
  return emit(
      layout, format.separator,
      [&](std::size_t k) { return read_field(card.tracks[k], track_capacity(slots[k])); },
      [&](std::size_t k) { return card.tracks[k].kind == Track::Kind::None; });
}

std::string write_results(Protocol protocol, std::uint32_t model, std::uint8_t separator,
                          const WriteStatus& status) {
  const std::span<const LayoutEntry> table =
      protocol == Protocol::Xerv3 ? std::span<const LayoutEntry>(kXerv3Writes) : kXerv1Writes;
  for (const LayoutEntry& e : table) {
    if (e.code != model) continue;
    return emit(
        Layout{e.steps}, separator,
        [&](std::size_t k) { return std::string(1, status[k].value_or('0')); },
        [&](std::size_t k) { return !status[k].has_value(); });
  }
  return {};  // a model without a write layout: the header alone
}

WrittenTracks write_fields(Protocol protocol, std::uint32_t model, std::uint8_t separator,
                           std::string_view fields) {
  WrittenTracks out;
  const auto part = [&](std::size_t k) -> std::optional<std::string> {
    const auto parts = split(fields, static_cast<char>(separator));
    if (k >= parts.size() || parts[k].empty()) return std::nullopt;
    return std::string(parts[k]);
  };
  const auto whole = [&]() -> std::optional<std::string> {
    if (fields.empty()) return std::nullopt;
    return std::string(fields);
  };
  if (protocol == Protocol::Xerv3) {
    switch (model) {
      case 0:
      case 100:
        out[0] = whole();
        break;
      case 2:
      case 102:
        out[0] = part(0);
        break;
      case 3:
      case 103:
        out[1] = part(1);
        break;
      case 4:
      case 104:
        out[2] = part(2);
        break;
      case 1:
      case 101:
        for (std::size_t k = 0; k < 3; ++k) out[k] = part(k);
        break;
      default:
        break;
    }
  } else {
    switch (model) {
      case 0:
      case 100:
      case 102:
        out[0] = whole();
        break;
      case 103:
        out[1] = whole();
        break;
      case 104:
        out[2] = whole();
        break;
      case 101:
        for (std::size_t k = 0; k < 3; ++k) out[k] = part(k);
        break;
      default:
        break;
    }
  }
  return out;
}

}  // namespace xsim
