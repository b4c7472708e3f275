// The XERV1 library's link profile: one reply letter, 1000 ms answers, DLE as an error, two-byte
// control answers while a reset waits, and the table of the reply letters it knows with their
// decoders.
#pragma once

#include "reply.h"

namespace xerv1 {

const devlink::LinkProfile& link_profile();

}  // namespace xerv1
