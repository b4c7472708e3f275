#include "reader_state.h"

namespace xsim {

std::string default_version(Protocol protocol) {
  // Ten characters of version, six of date (YYMMDD).
  return protocol == Protocol::Xerv3 ? "XSIM3 1.00240601" : "XSIM1 1.00240601";
}

}  // namespace xsim
