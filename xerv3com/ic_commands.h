// The IC card commands of the XERV3 reader. The data commands carry a binary block: two length
// bytes, high byte first, then the bytes themselves, which may hold any value (zero bytes too).
// Each builder checks its arguments and returns the command with its request code, or the
// argument error (nothing is sent then).
#pragma once

#include <cstddef>
#include <cstdint>

#include "command.h"

namespace xerv3 {

inline constexpr int kIcSetRequest = 5;
inline constexpr int kIcPowerRequest = 6;  // activation and deactivation
inline constexpr int kIcDataRequest = 8;

// The most data bytes one IC command carries.
inline constexpr std::int32_t kIcBlockMax = 288;

devlink::Command ic_card_set();           // "IU"
devlink::Command ic_card_deactivation();  // "IE"
devlink::Command ic_card_activate();      // "IN"
devlink::Command ic_card_activate_emv();  // "IS"

// "IP" + the two length bytes of L + first[0] + the first L-1 bytes of data. L runs from 1 to 288;
// data may be null when L is 1. Null length, first, or (L > 1) data: 900. L outside 1..288: 902.
devlink::Command ic_card_data_send(const std::int32_t* length, const char* first, const char* data);

// "IC" + the two length bytes of L + the first L bytes of data. L runs from 0 to 288; data may be
// null when L is 0. Null length, or (L > 0) data: 900. L outside 0..288: 902.
devlink::Command ic_card_data_send_emv(const std::int32_t* length, const char* data);

}  // namespace xerv3
