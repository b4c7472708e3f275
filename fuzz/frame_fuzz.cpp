// Received bytes → frame completion, classification and decoding with the store, in every frame
// format, for both libraries' reply tables, with and without a command waiting, into output
// buffers of exactly the size an export gives (so a write past one is caught at once).
//
// Input: four configuration bytes, then chunks of [n][n bytes]; a chunk whose length byte has its
// top bit set is followed by the line going silent (the frame is taken).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

#include "connection_model.h"
#include "frame_engine.h"
#include "../xerv1/link_profile.h"
#include "../xerv3com/link_profile.h"

namespace {

constexpr int kRequests[] = {0, 1, 3, 5, 9, 10, 12, 13, 14, 18, 22, 25, 30, 34, 36, 146, 147, 148};
constexpr std::uint32_t kModels[] = {0, 1, 2, 3, 4, 5, 6, 7, 12, 20, 21, 23, 25, 27,
                                     100, 101, 102, 103, 104, 105, 300, 400, 600, 999};
// The output sizes the exports give: reply characters plus the NUL.
constexpr std::size_t kOutSizes[] = {2, 4, 5, 6, 7, 8, 9, 11, 13, 17, 33, 257, 291, 403};

// Checks what the store promises its readers; a broken promise stops the fuzzer.
void check_store(const devlink::Store& s) {
  for (std::size_t k = 0; k < devlink::kTrackCount; ++k) {
    if (s.card.length[k] < 0 || s.card.length[k] > static_cast<int>(devlink::kTrackDataMax))
      __builtin_trap();
    if (s.card.data[k][devlink::kTrackDataMax] != 0) __builtin_trap();
  }
  if (s.block.length < 0 || s.block.length > static_cast<int>(devlink::kDataBlockSize))
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint8_t c0 = data[0], c1 = data[1], c2 = data[2], c3 = data[3];
  const devlink::LinkProfile& profile = (c3 & 1) ? xerv1::link_profile() : xerv3::link_profile();
  devlink::FrameFormat format;
  format.set_start(c0 & 0x03, 0x1B);
  format.set_end((c0 >> 2) % 6, 0x7E);
  format.set_bcc((c0 >> 5) & 0x03);
  format.set_separator(c1 & 0x03, 0x7C);
  devlink::Store store;
  devlink::set_connection_model(store.card, format, profile.protocol,
                                kModels[c2 % std::size(kModels)]);
  for (std::size_t k = 0; k < 3; ++k) store.card.request[k] = (c2 >> (5 + k)) & 1;
  std::size_t acked = 0;
  devlink::FrameEngine engine(profile, store, format,
                              [&](std::span<const std::uint8_t> b) { acked += b.size(); });
  const int request = kRequests[(c1 >> 2) % std::size(kRequests)];
  const std::size_t out_size = kOutSizes[(c1 >> 5) % std::size(kOutSizes)];
  if (request != 0) engine.begin_wait(request);

  std::size_t at = 4;
  while (at < size) {
    const std::uint8_t head = data[at++];
    const std::size_t n = std::min<std::size_t>(head & 0x7F, size - at);
    engine.append({data + at, n});
    at += n;
    if ((head & 0x80) == 0 && at < size) continue;
    engine.complete();
    if (engine.answered()) {
      const auto out = std::make_unique<char[]>(out_size);
      engine.decode_answer(request, out.get(), out_size);
      engine.reset();
      if (request != 0) engine.begin_wait(request);
    }
    check_store(store);
  }
  return 0;
}
