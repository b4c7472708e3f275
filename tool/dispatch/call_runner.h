// How a device call is run. The dispatch layer hands every call to a runner; the window's runner
// keeps the window alive during the call, the direct runner (tests, tools without a window) just
// calls.
#pragma once

#include <cstdint>
#include <functional>

namespace xtool {

class CallRunner {
 public:
  virtual ~CallRunner() = default;
  // Runs the call and returns its result. A call asked for while another is still running is not
  // made and gives kBusy.
  virtual int32_t run(const std::function<int32_t()>& call) = 0;
  virtual bool busy() const = 0;
};

// The result of a call refused because another one runs (the libraries' "failed" result).
inline constexpr int32_t kBusy = -1;

class DirectRunner final : public CallRunner {
 public:
  int32_t run(const std::function<int32_t()>& call) override;
  bool busy() const override { return running_; }

 private:
  bool running_ = false;
};

}  // namespace xtool
