// libxerv1 under the faults of the virtual reader: the cases both libraries share, and the frame
// without a start code that libxerv1 keeps while a command waits.
#include "xerv/xerv1.h"

// The shared cases need the library's header first.
#include "faults_common.h"

namespace xfaults {

struct Xerv1 {
  static constexpr xsim::Protocol kProtocol = xsim::Protocol::Xerv1;
  static constexpr milliseconds kTimeout{1000};
  static int read_card() { return MagCard_Read(nullptr); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Xerv1, FaultsTest, Xerv1);

namespace {

using Faults1 = FaultsTest<Xerv1>;

// Bytes without a start code stay in the buffer while a command waits, so the answer that
// follows them is not taken: the command ends with 904 and the next one starts clean.
TEST_F(Faults1, AnswerAfterBytesWithoutStartCode) {
  const Call c = version_while([&] {
    reader.send_garbage(kJunk);
    std::this_thread::sleep_for(200ms);
    reader.send_garbage(version_answer());
  });
  EXPECT_EQ(c.result, 904);
  EXPECT_GE(ms(c.took), Xerv1::kTimeout.count() - 20);
  expect_works();
}

}  // namespace
}  // namespace xfaults
