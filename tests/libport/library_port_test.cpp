// The port functions as a host program sees them, through the built library, including what only
// a second process can show: the port is held per library file, and freed when its holder dies.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "probe.h"
#include "pty_reader.h"
#include "xerv/xerv_common.h"

namespace xtest {
namespace {

TEST(LibraryPort, SecondProcessGets9000WhileThePortIsOpen) {
  PtyReader reader{3};
  PtyReader other{4};
  ASSERT_EQ(rs_PortOpen(reader.port().c_str()), 0);
  EXPECT_EQ(probe(other.port(), "open"), "9000");
  EXPECT_EQ(rs_PortClose(), 0);
  EXPECT_EQ(probe(other.port(), "open"), "0");
}

TEST(LibraryPort, AKilledHolderFreesThePort) {
  PtyReader reader{5};
  pid_t holder = 0;
  ASSERT_EQ(probe(reader.port(), "hold", &holder), "0");
  EXPECT_EQ(rs_PortOpen(reader.port().c_str()), 9000);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(rs_PortOpen(reader.port().c_str()), 0);
  EXPECT_EQ(rs_PortClose(), 0);
}

TEST(LibraryPort, UnloadingWithAPortOpenClosesIt) {
  PtyReader reader{6};
  EXPECT_EQ(probe(reader.port(), "unload"), "0 0");
}

TEST(LibraryPort, OpensRawAndAppliesLineSettings) {
  PtyReader reader{8};
  ASSERT_EQ(rs_PortOpen(reader.port().c_str()), 0);
  // The pseudo-terminal's two sides share one set of line settings (a pseudo-terminal keeps no
  // data bits or parity of its own, so those cannot be seen here).
  termios t{};
  ASSERT_EQ(::tcgetattr(reader.master_fd(), &t), 0);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_iflag & (IXON | ICRNL), 0u);
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B9600));
  EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(rs_CommSettings("3", "1", "0", "1"), 0);
  ASSERT_EQ(::tcgetattr(reader.master_fd(), &t), 0);
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B38400));
  EXPECT_EQ(rs_PortClose(), 0);
}

TEST(LibraryPort, ExportsNeedAnOpenPort) {
  int32_t v = 0;
  char buf[112];
  EXPECT_EQ(rs_PortClose(), -1);
  EXPECT_EQ(rs_CommSettings("1", "1", "1", "0"), -1);
  EXPECT_EQ(rs_CommFormat_Set("1", "4", "1", "0", "00", "00", "00"), -1);
  EXPECT_EQ(rs_GetCtsSignal(), -1);
  EXPECT_EQ(rs_GetDsrSignal(), -1);
  EXPECT_EQ(rs_SetRTS(), -1);
  EXPECT_EQ(rs_ClrRTS(), -1);
  EXPECT_EQ(GetStatus(&v), -1);
  EXPECT_EQ(GetEvent_Status(&v, &v, &v), -1);
  EXPECT_EQ(GetError_Status(&v, &v, &v), -1);
  EXPECT_EQ(GetCard_Result(&v, &v, &v, &v, &v, &v, &v, &v), -1);
  EXPECT_EQ(GetTrk1Data(&v, buf), -1);
  EXPECT_EQ(GetTrk4Data(&v, buf), -1);
}

TEST(LibraryPort, QueriesRefuseNullOutputs) {
  PtyReader reader{9};
  ASSERT_EQ(rs_PortOpen(reader.port().c_str()), 0);
  int32_t v = 0;
  char buf[112];
  EXPECT_EQ(GetStatus(nullptr), 900);
  EXPECT_EQ(GetEvent_Status(&v, nullptr, &v), 900);
  EXPECT_EQ(GetCard_Result(&v, &v, &v, &v, &v, &v, &v, nullptr), 900);
  EXPECT_EQ(GetTrk2Data(nullptr, buf), 900);
  EXPECT_EQ(GetTrk2Data(&v, nullptr), 900);
  EXPECT_EQ(GetTrk2Data(&v, buf), 0);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(rs_PortClose(), 0);
}

}  // namespace
}  // namespace xtest
