#include <array>

#include "reports.h"

namespace devlink {

namespace {

void store_slot(std::array<std::int32_t, kReportSlots>& slots, std::span<const std::uint8_t> d) {
  const int d1 = d.size() > 0 ? (d[0] & 0x0F) : 0;
  const int d2 = d.size() > 1 ? (d[1] & 0x0F) : 0;
  const std::int32_t value = d1 * 10 + d2;
  for (std::int32_t& slot : slots) {
    if (slot == 0) {
      slot = value;
      return;
    }
  }
}

}  // namespace

void store_event(Store& store, std::span<const std::uint8_t> digits) {
  store.status |= kStatusEvent;
  store_slot(store.events, digits);
}

void store_error(Store& store, std::span<const std::uint8_t> digits) {
  store.status |= kStatusError;
  store_slot(store.errors, digits);
}

}  // namespace devlink
