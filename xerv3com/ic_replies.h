// The IC card's answer block ("ID" and "IP" replies alike): a two-byte count, high byte first,
// then that many binary bytes.
#pragma once

#include <cstddef>

#include "ic_commands.h"
#include "reply.h"

namespace xerv3 {

// The caller's buffer for an IC reply: the two count bytes, at most 288 data bytes and a NUL.
inline constexpr std::size_t kIcReplyBufferSize = 2 + kIcBlockMax + 1;

// Copies the two count bytes and the N bytes they announce into env.out, then a NUL; returns 0.
// The count never sizes the copy on its own: at most what arrived and at most 288 data bytes are
// copied, so a buffer of kIcReplyBufferSize is always enough. When fewer than N bytes arrived, or
// N is above 288, what was copied stays and the result is 909 (the block was cut short). A reply
// too short to hold its count copies what it holds and gives 909. A block that answers a command
// other than an IC command (request 6 or 8) is not copied into that command's buffer: 909.
int decode_ic_block(const devlink::ReplyEnv& env);

}  // namespace xerv3
