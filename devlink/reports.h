// Storing the reader's reports: card data split into tracks, write results, events and errors.
#pragma once

#include <cstdint>
#include <span>

#include "frame_format.h"
#include "reply.h"
#include "store.h"

namespace devlink {

// Card data (the text after the report letters and one character in XERV3, after the single
// letter in XERV1): sets status bit 1 and splits the data into tracks by the connection model.
void store_card_data(Store& store, Protocol protocol, const FrameFormat& format,
                     std::span<const std::uint8_t> data);

// Write result: sets status bit 2 and one result per written track.
void store_write_result(Store& store, Protocol protocol, const FrameFormat& format,
                        std::span<const std::uint8_t> data);

// "AE" and "DH" reports: the text after the two letters holds two decimal digits. Sets status bit
// 4 or 8 and fills the first empty slot; a report that finds the three slots full is dropped.
void store_event(Store& store, std::span<const std::uint8_t> digits);
void store_error(Store& store, std::span<const std::uint8_t> digits);

}  // namespace devlink
