// The record the XERV3COM stand-in keeps of the calls it was given (see
// tests/support/fake_library.cpp): "xerv3:export" lines, some with their arguments.
#pragma once

#include <dlfcn.h>

#include <cstdint>
#include <string>

namespace tooltest {

struct FakeCalls {
  const char* (*calls)() = nullptr;
  void (*clear)() = nullptr;
  void (*set_result)(const char* name, int32_t result) = nullptr;

  FakeCalls() {
    void* h = dlopen((std::string(FAKE_LIBRARIES) + "/both/libxerv3com.so.1").c_str(),
                     RTLD_NOW | RTLD_LOCAL);
    calls = reinterpret_cast<const char* (*)()>(dlsym(h, "fake_calls"));
    clear = reinterpret_cast<void (*)()>(dlsym(h, "fake_clear"));
    set_result = reinterpret_cast<void (*)(const char*, int32_t)>(dlsym(h, "fake_set_result"));
  }
};

}  // namespace tooltest
