// How the reader lays out its card reports for the connection model in force: the card data of a
// card-data report and the per-track statuses of a write-result report, and which tracks a write
// command's fields carry. The layouts are those the host libraries split.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "card.h"
#include "frame_format.h"
#include "reply.h"

namespace xsim {

using devlink::Protocol;

// Tracks a read command asked for: bit 0 track 1, bit 1 track 2, bit 2 track 3.
using Selection = unsigned;

// A track the card lacks, where the layout has no room for a missing field, is reported with
// this error digit (no data).
inline constexpr char kNoDataError = '1';

// The card data of a card-data report (what follows "CR" and its one character, or "A"). Each
// track's data is cut to what the track holds in the model's slot. Separator modes 2 and 3 lay
// out the tracks the read asked for.
std::string card_data(Protocol protocol, std::uint32_t model, const devlink::FrameFormat& format,
                      Selection selection, const Card& card);

// The per-track statuses of a write-result report: '0' or an error digit for each written track
// (nothing for a track not written).
using WriteStatus = std::array<std::optional<char>, kTracks>;
std::string write_results(Protocol protocol, std::uint32_t model, std::uint8_t separator,
                          const WriteStatus& status);

// The track texts a write command's fields carry (after its header), by the model in force.
using WrittenTracks = std::array<std::optional<std::string>, kTracks>;
WrittenTracks write_fields(Protocol protocol, std::uint32_t model, std::uint8_t separator,
                           std::string_view fields);

}  // namespace xsim
