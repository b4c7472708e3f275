// The window against a virtual reader in the test process, with the port already open, and the
// command texts the reader received since a mark.
#pragma once

#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "framing.h"
#include "test_env.h"
#include "virtual_reader.h"
#include "window_fixture.h"

namespace tooltest {

inline xsim::Options reader_options(xsim::Protocol protocol = xsim::Protocol::Xerv3,
                                    unsigned com = 5) {
  xsim::Options options;
  options.protocol = protocol;
  options.com = com;
  options.dir = xtest::com_dir();
  return options;
}

struct ReaderTool {
  xsim::VirtualReader reader;
  ProgramFolder folder;
  Tool tool;
  std::size_t mark_ = 0;
  std::unique_ptr<QTimer> stand_in_;

  // `japanese`: the settings file selects the Japanese texts. The port is opened for the
  // reader's protocol (rdgProtocol item 1 for XERV3, item 0 for XERV1).
  explicit ReaderTool(xsim::Options options = reader_options(), bool japanese = false)
      : reader(options), tool(folder_with_language(folder, japanese)) {
    reader.start();
    TfrmMain& w = tool.w();
    w.edtComPort->setText(QString::fromStdString(reader.port()));
    w.rdgProtocol->setItemIndex(options.protocol == xsim::Protocol::Xerv3 ? 1 : 0);
    w.btnPortOpen->click();
    EXPECT_TRUE(tool.status().endsWith("Port Open OK !!")) << tool.status().toStdString();
    mark();
  }
  ~ReaderTool() {
    tool.dispatch->rs_PortClose();
    reader.stop();
  }

  // The next command is answered with `reply` (a frame in the format in force) instead of the
  // reader's own answer: for replies the reader would never give. Set it up before the click.
  void answer_next_with(const std::string& reply) {
    reader.ignore_next(1);
    const std::size_t seen = reader.received().size();
    stand_in_ = std::make_unique<QTimer>();
    stand_in_->setInterval(2);
    QObject::connect(stand_in_.get(), &QTimer::timeout, [this, seen, reply] {
      const auto frames = reader.received();
      for (std::size_t i = seen; i < frames.size(); ++i) {
        if (frames[i].kind != xsim::HostFrame::Kind::Command) continue;
        if (auto bytes = xsim::frame_bytes(reader.frame_format(), reply)) {
          reader.send_garbage(*bytes);
        }
        stand_in_->stop();
        return;
      }
    });
    stand_in_->start();
  }

  TfrmMain& w() { return tool.w(); }
  QString status() const { return tool.status(); }
  QStringList& messages() { return tool.messages; }

  // From now on, commands() lists only what comes after.
  void mark() { mark_ = reader.received().size(); }
  // The command texts received since the mark, in order (control bytes left out).
  std::vector<std::string> commands() const {
    std::vector<std::string> out;
    const auto frames = reader.received();
    for (std::size_t i = mark_; i < frames.size(); ++i) {
      if (frames[i].kind == xsim::HostFrame::Kind::Command) out.push_back(frames[i].text);
    }
    return out;
  }

 private:
  static const ProgramFolder& folder_with_language(const ProgramFolder& folder, bool japanese) {
    if (japanese) folder.write("xervtool.ini", "[Setup]\nLanguages=Japanese\n");
    return folder;
  }
};

}  // namespace tooltest
