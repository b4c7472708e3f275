// libxerv3com as a host program uses it, against the virtual reader.
#pragma once

#include "reader_fixture.h"
#include "xerv/xerv3com.h"

namespace reader3 {

using namespace std::chrono_literals;
using xsim::Card;
using xsim::Track;
using xtest::card_result;
using xtest::CardResult;
using xtest::track_texts;

constexpr const char* N = nullptr;

inline xsim::Options reader_options() {
  return xtest::reader_options(xsim::Protocol::Xerv3);
}

class Xerv3Test : public xtest::ReaderTest<xsim::Protocol::Xerv3> {};

}  // namespace reader3
