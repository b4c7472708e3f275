// A device call does not freeze the window: its events keep being served while the call waits,
// user input that arrives meanwhile is dropped, the poll timer skips its tick, and closing waits.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "fake_calls.h"
#include "test_env.h"
#include "virtual_reader.h"
#include "window_fixture.h"

namespace tooltest {
namespace {

TEST(Runner, TheWindowKeepsTurningWhileASilentReaderIsAwaitedAndDropsClicks) {
  xsim::Options options;
  options.com = 7;
  options.dir = xtest::com_dir();
  xsim::VirtualReader reader(options);
  reader.start();
  ProgramFolder folder;
  Tool tool(folder);
  TfrmMain& w = tool.w();
  w.edtComPort->setText(QString::fromStdString(reader.port()));
  w.btnPortOpen->click();
  ASSERT_EQ(tool.status(), "Com 7Port Open OK !!");
  reader.ignore_next(10);

  // A zero-interval timer measures how long the event loop ever stalls during the call.
  QElapsedTimer clock;
  qint64 last = 0, worst = 0;
  int ticks = 0;
  bool busy_cursor = false;
  QTimer probe;
  probe.setInterval(0);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    worst = std::max(worst, now - last);
    last = now;
    ++ticks;
    if (now > 500 && QApplication::overrideCursor()) busy_cursor = true;
  });
  // A user's click on Close in the middle of the call.
  QTimer::singleShot(300, &w, [&] { QTest::mouseClick(w.btnPortClose, Qt::LeftButton); });
  clock.start();
  probe.start();
  char out[17] = {};
  const int32_t result = tool.dispatch->ProgVersion_Read(out);
  probe.stop();
  const qint64 took = clock.elapsed();
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();

  EXPECT_EQ(result, 904);
  EXPECT_GE(took, 2500);
  EXPECT_GT(ticks, 20);
  EXPECT_LT(worst, 100) << "the event loop stalled";
  EXPECT_TRUE(busy_cursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // The click was not delivered, during the call or after it: the port is still open.
  EXPECT_EQ(tool.status(), "Com 7Port Open OK !!");
  reader.ignore_next(0);
  w.btnPortClose->click();
  EXPECT_EQ(tool.status(), "Com Port Close OK !!");
  reader.stop();
}

TEST(Runner, ATimerTickInsideACallIsSkippedAndClosingWaitsForTheCall) {
  setenv("FAKE_SLOW_MS", "1000", 1);
  ProgramFolder folder;
  Tool tool(folder, Libs::Fakes);
  TfrmMain& w = tool.w();
  FakeCalls fake;
  fake.clear();
  w.Timer1->start();
  QTimer::singleShot(200, &w, [&] { w.close(); });
  char out[17] = {};
  tool.dispatch->ProgVersion_Read(out);
  EXPECT_EQ(std::string(fake.calls()), "xerv3:ProgVersion_Read\n");
  EXPECT_TRUE(w.isVisible()) << "closed in the middle of a call";
  QElapsedTimer clock;
  clock.start();
  while (w.isVisible() && clock.elapsed() < 2000) QCoreApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
  // Outside a call the timer polls as usual.
  fake.clear();
  QTest::qWait(700);
  EXPECT_NE(std::string(fake.calls()).find("xerv3:GetStatus"), std::string::npos);
  unsetenv("FAKE_SLOW_MS");
}

}  // namespace
}  // namespace tooltest
