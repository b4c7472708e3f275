// The trace line of the virtual reader is the link core's, so that its trace and a library's
// (XERV_TRACE) read alike.
#pragma once

#include "trace_line.h"

namespace xsim {

using devlink::hex_text;
using devlink::printable_text;
using devlink::trace_line;

}  // namespace xsim
