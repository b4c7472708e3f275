// The port group and the communication page against the virtual reader: what goes on the wire,
// what the reader ends up with and what the status line says.
#include "reader_fixture.h"

namespace tooltest {
namespace {

TEST(Communication, OpenTakesTheModelAndNamesThePort) {
  for (const auto protocol : {xsim::Protocol::Xerv3, xsim::Protocol::Xerv1}) {
    ReaderTool t(reader_options(protocol, 3));
    const bool xerv3 = protocol == xsim::Protocol::Xerv3;
    EXPECT_EQ(t.status(), "Com 3Port Open OK !!");
    EXPECT_EQ(t.tool.dispatch->CurrentModel, xerv3 ? "XERV3" : "XERV1");
    // The model is taken at open only.
    t.w().rdgProtocol->setItemIndex(xerv3 ? 0 : 1);
    t.w().btnPortClose->click();
    EXPECT_EQ(t.status(), "Com Port Close OK !!");
    EXPECT_EQ(t.tool.dispatch->CurrentModel, xerv3 ? "XERV3" : "XERV1");
  }
}

}  // namespace
}  // namespace tooltest
