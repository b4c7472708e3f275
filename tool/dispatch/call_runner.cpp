#include "call_runner.h"

namespace xtool {

int32_t DirectRunner::run(const std::function<int32_t()>& call) {
  if (running_) return kBusy;
  running_ = true;
  const int32_t result = call();
  running_ = false;
  return result;
}

}  // namespace xtool
