// What a command builder gave: an error and nothing to send, or a text with its request code.
// Both families' builder tests check their commands this way.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "command.h"

namespace xtest {

struct Expect {
  int error = 0;
  std::string text;
  int request = 0;
};
inline Expect fails(int error) {
  return {error, "", 0};
}
inline Expect sends(std::string text, int request) {
  return {0, std::move(text), request};
}

inline void check(const devlink::Command& c, const Expect& e, const std::string& name) {
  EXPECT_EQ(c.error, e.error) << name;
  if (e.error != 0) {
    EXPECT_EQ(c.length, 0u) << name << ": an argument error sends nothing";
    return;
  }
  EXPECT_EQ(std::string(c.view()), e.text) << name;
  EXPECT_EQ(c.request, e.request) << name;
}

inline std::string name_of(const char* s) {
  return s == nullptr ? "(null)" : s;
}

// A builder that takes one text argument, checked against a table of arguments.
struct OneArgCase {
  const char* arg;
  Expect expect;
};

inline void run_cases(devlink::Command (*build)(const char*),
                      std::initializer_list<OneArgCase> cases) {
  for (const auto& c : cases) check(build(c.arg), c.expect, name_of(c.arg));
}

}  // namespace xtest
