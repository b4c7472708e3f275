// The XERV3 library's link profile: two reply letters, 3000 ms answers, DLE as success, and the
// table of the reply letters it knows with their decoders.
#pragma once

#include "reply.h"

namespace xerv3 {

const devlink::LinkProfile& link_profile();

}  // namespace xerv3
