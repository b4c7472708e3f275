// Placeholder until the track split lands: records the report in the status bits only.
#include "reports.h"

namespace devlink {

void store_card_data(Store& store, Protocol, const FrameFormat&, std::span<const std::uint8_t>) {
  store.status |= kStatusCardData;
  store.card.result = {-1, -1, -1, -1};
}

void store_write_result(Store& store, Protocol, const FrameFormat&,
                        std::span<const std::uint8_t>) {
  store.status |= kStatusWriteResult;
  store.card.result = {-1, -1, -1, -1};
}

}  // namespace devlink
