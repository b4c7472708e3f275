// The communication page and the port group: the line on both ends, the firmware version and
// the reader's protocol.
#include <QComboBox>
#include <array>

#include "radio_group.h"
#include "reply_text.h"
#include "tfrm_main.h"

using xtool::CString;
using xtool::ToCString;

namespace {

// Output buffers hold the longest reply the libraries copy for the command and its zero.
constexpr std::size_t kCommControlBuffer = 8;   // 7 characters
constexpr std::size_t kCommFormatBuffer = 11;   // 10 characters
constexpr std::size_t kVersionBuffer = 17;      // 16 characters: 10 of version, 6 of date
constexpr std::size_t kEepromByteBuffer = 3;    // one byte as two hexadecimal digits
constexpr std::size_t kStatusCheckBuffer = 13;  // the status reply's 12 characters

CString arg(const QString& text) { return ToCString(text.toStdString()); }
CString position(const QComboBox* list) { return ToCString(std::to_string(list->currentIndex())); }
QString code(int32_t result) { return QString::number(result); }

// A reply character that selects a list position; a digit past the list's end leaves the list
// without a selection.
void select(QComboBox* list, std::string_view reply, std::size_t k) {
  list->setCurrentIndex(xtool::DigitAt(reply, k));
}

}  // namespace

void TfrmMain::btnPortOpenClick() {
  clearStatus();
  const QString port = edtComPort->text();
  d_.CurrentModel = rdgProtocol->itemIndex() != 0 ? "XERV3" : "XERV1";
  ApplyModelControls();
  const auto result = d_.rs_PortOpen(arg(port).get());
  if (result != 0) {
    setStatus(QStringLiteral("Com ") + port + QStringLiteral("Port Open Error ") + code(result));
  } else {
    setStatus(QStringLiteral("Com ") + port + QStringLiteral("Port Open OK !!"));
  }
}

void TfrmMain::btnPortCloseClick() {
  clearStatus();
  d_.rs_PortClose();
  setStatus(QStringLiteral("Com Port Close OK !!"));
}

void TfrmMain::btnComSettingClick() {
  clearStatus();
  const auto result = d_.rs_CommSettings(position(cboBps_PC).get(), position(cboComBit_PC).get(),
                                         position(cboComParity_PC).get(),
                                         position(cboComStopBit_PC).get());
  const QString m = message("Msg_PC_rs_CommSettings");
  setStatus(result != 0 ? m + QStringLiteral(" NG !! ") + code(result) : m + QStringLiteral(" Ok!!"));
}

void TfrmMain::cmdSetComFormat_PCClick() {
  const auto result = d_.rs_CommFormat_Set(
      position(cboComSTX_PC).get(), position(cboComETX_PC).get(), position(cboBCC_PC).get(),
      position(cboUS_PC).get(), arg(edtUserSTX_PC->text()).get(),
      arg(edtUserETX_PC->text()).get(), arg(edtUserUS_PC->text()).get());
  const QString m = message("Msg_PC_rs_CommFormat_Set");
  setStatus(result != 0 ? m + QStringLiteral(" NG !! ") + code(result)
                        : m + QStringLiteral(" Ok!! "));
}

void TfrmMain::btnComGetClick() {
  std::array<char, kCommControlBuffer> out{};
  const auto empty = ToCString("");
  const char* e = empty.get();
  const auto result = d_.Comm_Control_Set(e, e, e, e, e, e, e, out.data());
  const QString m = message("Msg_rs_CommSettings");
  if (result != 0) {
    setStatus(m + QStringLiteral(" NG !! ") + code(result));
    return;
  }
  const std::string reply = xtool::ReplyText(out.data(), out.size());
  setStatus(m + QStringLiteral(" Ok!! ") + xtool::ReplyQString(reply));
  select(cboComBit, reply, 1);
  select(cboComParity, reply, 2);
  select(cboComStopBit, reply, 3);
  select(cboBaudRate, reply, 4);
  select(cboComSignal, reply, 5);
  edtComRetry->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 6, 1)));
  edtComTimeOut->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 7, 1)));
}

// After a reader-side change the reader is reset so that it takes up the new values; the change
// was made all the same when the reset fails.
void TfrmMain::resetAfterSet(const QString& m, const char* failure_text) {
  setStatus(m + QStringLiteral(" Ok!! "));
  const auto reset = d_.Reset_Device();
  if (reset != 0) setStatus(m + QString::fromLatin1(failure_text) + code(reset));
}

void TfrmMain::btnComSetClick() {
  std::array<char, kCommControlBuffer> out{};
  const auto result = d_.Comm_Control_Set(
      position(cboComBit).get(), position(cboComParity).get(), position(cboComStopBit).get(),
      position(cboBaudRate).get(), position(cboComSignal).get(), arg(edtComRetry->text()).get(),
      arg(edtComTimeOut->text()).get(), out.data());
  const QString m = message("Msg_rs_CommSettings");
  if (result != 0) {
    setStatus(m + QStringLiteral(" NG !! ") + code(result));
    return;
  }
  resetAfterSet(m, " (R) NG !! ");
}

void TfrmMain::cmdGetComFormatClick() {
  std::array<char, kCommFormatBuffer> out{};
  const auto empty = ToCString("");
  const char* e = empty.get();
  const auto result = d_.Comm_Format_Set(e, e, e, e, e, e, e, out.data());
  const QString m = message("Msg_rs_CommFormat_Set");
  if (result != 0) {
    setStatus(m + QStringLiteral(" NG !! ") + code(result));
    return;
  }
  const std::string reply = xtool::ReplyText(out.data(), out.size());
  setStatus(m + QStringLiteral(" Ok!! ") + xtool::ReplyQString(reply));
  select(cboComSTX, reply, 1);
  select(cboComETX, reply, 2);
  select(cboComBCC, reply, 3);
  select(cboComUS, reply, 4);
  edtUserSTX->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 5, 2)));
  edtUserETX->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 7, 2)));
  edtUserUS->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 9, 2)));
}

void TfrmMain::cmdSetComFormatClick() {
  std::array<char, kCommFormatBuffer> out{};
  const auto result = d_.Comm_Format_Set(
      position(cboComSTX).get(), position(cboComETX).get(), position(cboComBCC).get(),
      position(cboComUS).get(), arg(edtUserSTX->text()).get(), arg(edtUserETX->text()).get(),
      arg(edtUserUS->text()).get(), out.data());
  const QString m = message("Msg_rs_CommFormat_Set");
  if (result != 0) {
    setStatus(m + QStringLiteral(" NG !! ") + code(result));
    return;
  }
  resetAfterSet(m, " (R) NG !! ");
}

void TfrmMain::btnVerInfoGetClick() {
  std::array<char, kVersionBuffer> out{};
  const auto result = d_.ProgVersion_Read(out.data());
  if (result != 0) {
    setStatus(QStringLiteral("ProgVersion_Read Command NG !! ") + code(result));
    return;
  }
  const std::string reply = xtool::ReplyText(out.data(), out.size());
  setStatus(QStringLiteral("ProgVersion_Read Command Ok!! ") + xtool::ReplyQString(reply));
  lblVerInfo_verinfo->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 1, 10)));
  lblVerInfo_dateinfo->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 11, 6)));
}

void TfrmMain::btnGetProtocolChgClick() {
  ShowWait();
  // The wait window closes however the run ends.
  struct Hide {
    TfrmMain* w;
    ~Hide() { w->HideWait(); }
  } hide{this};
  auto result = d_.EE_Open();
  if (result != 0) {
    setStatus(QStringLiteral("EE_Open NG !! ") + code(result));
    return;
  }
  std::array<char, kEepromByteBuffer> out{};
  // Byte 2Ch: the protocol the reader starts in.
  result = d_.EE_Read(ToCString("2C").get(), out.data());
  if (result != 0) {
    setStatus(QStringLiteral("EE_Read Protocol NG !! ") + code(result));
    return;
  }
  result = d_.EE_Close();
  if (result != 0) {
    setStatus(QStringLiteral("EE_Close NG !! ") + code(result));
    return;
  }
  setStatus(QStringLiteral("EE_Read Protocol OK !! "));
  const std::string reply = xtool::ReplyText(out.data(), out.size());
  rdgProtocolChg->setItemIndex(xtool::ReplyPart(reply, 1, 2) == "00" ? 1 : 0);
}

void TfrmMain::btnSetProtocolChgClick() {
  ShowWait();
  const bool japanese = d_.japanese();
  const QString failure = japanese ? QStringLiteral("通信プロトコル 設定 NG !! ")
                                   : QStringLiteral("Comm Protocol Set NG !! ");
  const QString success = japanese ? QStringLiteral("通信プロトコル 設定 Ok!! ")
                                   : QStringLiteral("Comm Protocol Set Ok!! ");
  try {
    const int selector = rdgProtocolChg->itemIndex();
    // A first exchange in the protocol the reader speaks now, through the library that speaks
    // it, before the change.
    int32_t result = 0;
    if (selector == 0) {
      std::array<char, kStatusCheckBuffer> out{};
      result = d_.Xerv3_StatusCheck(ToCString("C").get(), out.data());
    } else {
      result = d_.Xerv1_DataReturn(ToCString("0123456789").get());
    }
    if (result == 0) result = d_.ProtocolChange(selector);
    setStatus(result != 0 ? failure + code(result) : success);
  } catch (const std::exception&) {
    // Whatever goes wrong here ends with the window usable again, and is not reported further.
  }
  HideWait();
}
