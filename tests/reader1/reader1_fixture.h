// libxerv1 as a host program uses it, against the virtual reader.
#pragma once

#include "reader_fixture.h"
#include "xerv/xerv1.h"

namespace reader1 {

using namespace std::chrono_literals;
using xsim::Card;
using xsim::Track;
using xtest::card_result;
using xtest::CardResult;
using xtest::track_texts;

constexpr const char* N = nullptr;

inline xsim::Options reader_options() {
  return xtest::reader_options(xsim::Protocol::Xerv1);
}

class Xerv1Test : public xtest::ReaderTest<xsim::Protocol::Xerv1> {};

}  // namespace reader1
