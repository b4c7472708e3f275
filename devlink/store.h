// The response store: what the reader reported on its own (card data, write results, events,
// errors, a whole-EEPROM read), kept until the host program asks for it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace devlink {

inline constexpr std::size_t kTrackCount = 4;
inline constexpr std::size_t kTrackDataMax = 110;  // characters; the buffers hold one more (NUL)
inline constexpr std::size_t kReportSlots = 3;
inline constexpr std::size_t kDataBlockSize = 256;
inline constexpr std::size_t kDataReturnSize = 10;

// Status bits, set by reports and cleared by the queries.
inline constexpr std::uint32_t kStatusCardData = 1;
inline constexpr std::uint32_t kStatusWriteResult = 2;
inline constexpr std::uint32_t kStatusEvent = 4;
inline constexpr std::uint32_t kStatusError = 8;

// Slot identifiers: which physical track the reader delivers in a track position.
inline constexpr std::int32_t kSlotNone = 0;
inline constexpr std::int32_t kSlotJis2 = 1;
inline constexpr std::int32_t kSlotIso1 = 2;
inline constexpr std::int32_t kSlotIso2 = 3;
inline constexpr std::int32_t kSlotIso3 = 4;

struct CardStore {
  std::uint32_t model = 0;  // connection model code; survives close and open
  // All 0 until a connection model is set (every model sets the fourth to -1 or a track).
  std::array<std::int32_t, kTrackCount> slot{};
  std::array<std::int32_t, kTrackCount> request{};  // tracks the last read asked for / write wrote
  std::array<std::int32_t, kTrackCount> result{};   // -1 none, 0 good, 1..8 error digit
  std::array<std::int32_t, kTrackCount> length{};
  std::array<std::array<char, kTrackDataMax + 1>, kTrackCount> data{};
  std::array<std::int32_t, kTrackCount> model_reply{};  // reply values of the last model query

  // What every open clears: per-track values, the buffers and the slot identifiers.
  void clear_tracks() {
    slot = {};
    request = {};
    result = {};
    length = {};
    data = {};
  }
  // False until a connection model is set after the open.
  bool has_slots() const { return slot[0] != 0 || slot[1] != 0 || slot[2] != 0 || slot[3] != 0; }
};

// The whole-EEPROM data that arrived while no command waited.
struct DataBlock {
  std::int32_t length = 0;
  std::array<char, kDataBlockSize + 1> data{};
};

struct Store {
  std::uint32_t status = 0;
  std::array<std::int32_t, kReportSlots> events{};
  std::array<std::int32_t, kReportSlots> errors{};
  CardStore card;
  DataBlock block;
  std::array<char, kDataReturnSize> data_return{};  // XERV1: the last DataReturn text

  // What every open resets (the connection model code and the data block stay).
  void reset_for_open() {
    status = 0;
    events = {};
    errors = {};
    card.clear_tracks();
  }
};

}  // namespace devlink
