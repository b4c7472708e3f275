// The communication page and the port group: the line on both ends, the firmware version and
// the reader's protocol.
#include <QComboBox>
#include <array>

#include "radio_group.h"
#include "reply_text.h"
#include "setting_command.h"
#include "tfrm_main.h"

using xtool::CString;
using xtool::ToCString;

namespace {

CString arg(const QString& text) {
  return ToCString(text.toStdString());
}
CString position(const QComboBox* list) {
  return ToCString(xtool::IndexText(list->currentIndex()));
}
QString code(int32_t result) {
  return QString::number(result);
}

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
  const auto result =
      d_.rs_CommSettings(position(cboBps_PC).get(), position(cboComBit_PC).get(),
                         position(cboComParity_PC).get(), position(cboComStopBit_PC).get());
  const QString m = message("Msg_PC_rs_CommSettings");
  setStatus(result != 0 ? m + QStringLiteral(" NG !! ") + code(result)
                        : m + QStringLiteral(" Ok!!"));
}

void TfrmMain::cmdSetComFormat_PCClick() {
  const auto result = d_.rs_CommFormat_Set(
      position(cboComSTX_PC).get(), position(cboComETX_PC).get(), position(cboBCC_PC).get(),
      position(cboUS_PC).get(), arg(edtUserSTX_PC->text()).get(), arg(edtUserETX_PC->text()).get(),
      arg(edtUserUS_PC->text()).get());
  const QString m = message("Msg_PC_rs_CommFormat_Set");
  setStatus(result != 0 ? m + QStringLiteral(" NG !! ") + code(result)
                        : m + QStringLiteral(" Ok!! "));
}

// The reader-side Gets and Sets word their status like the settings pages, and a Set resets the
// reader so that it takes up the new values.
void TfrmMain::btnComGetClick() {
  xtool::OutputBuffer out(xtool::kCommControlOutput);
  const auto empty = ToCString("");
  const char* e = empty.get();
  const auto result = d_.Comm_Control_Set(e, e, e, e, e, e, e, out.get());
  const std::string reply = out.reply();
  if (!statusOf("Msg_rs_CommSettings").got(result, reply)) return;
  select(cboComBit, reply, 1);
  select(cboComParity, reply, 2);
  select(cboComStopBit, reply, 3);
  select(cboBaudRate, reply, 4);
  select(cboComSignal, reply, 5);
  edtComRetry->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 6, 1)));
  edtComTimeOut->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 7, 1)));
}

void TfrmMain::btnComSetClick() {
  xtool::OutputBuffer out(xtool::kCommControlOutput);
  const auto result = d_.Comm_Control_Set(
      position(cboComBit).get(), position(cboComParity).get(), position(cboComStopBit).get(),
      position(cboBaudRate).get(), position(cboComSignal).get(), arg(edtComRetry->text()).get(),
      arg(edtComTimeOut->text()).get(), out.get());
  statusOf("Msg_rs_CommSettings").set(result, d_, xtool::kResetNg);
}

void TfrmMain::cmdGetComFormatClick() {
  xtool::OutputBuffer out(xtool::kCommFormatOutput);
  const auto empty = ToCString("");
  const char* e = empty.get();
  const auto result = d_.Comm_Format_Set(e, e, e, e, e, e, e, out.get());
  const std::string reply = out.reply();
  if (!statusOf("Msg_rs_CommFormat_Set").got(result, reply)) return;
  select(cboComSTX, reply, 1);
  select(cboComETX, reply, 2);
  select(cboComBCC, reply, 3);
  select(cboComUS, reply, 4);
  edtUserSTX->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 5, 2)));
  edtUserETX->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 7, 2)));
  edtUserUS->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 9, 2)));
}

void TfrmMain::cmdSetComFormatClick() {
  xtool::OutputBuffer out(xtool::kCommFormatOutput);
  const auto result = d_.Comm_Format_Set(
      position(cboComSTX).get(), position(cboComETX).get(), position(cboComBCC).get(),
      position(cboComUS).get(), arg(edtUserSTX->text()).get(), arg(edtUserETX->text()).get(),
      arg(edtUserUS->text()).get(), out.get());
  statusOf("Msg_rs_CommFormat_Set").set(result, d_, xtool::kResetNg);
}

void TfrmMain::btnVerInfoGetClick() {
  std::array<char, xtool::kVersionOutput> out{};
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
  const WaitScope wait(*this);
  auto result = d_.EE_Open();
  if (result != 0) {
    setStatus(QStringLiteral("EE_Open NG !! ") + code(result));
    return;
  }
  std::array<char, xtool::kEepromByteOutput> out{};
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
  const WaitScope wait(*this);
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
      std::array<char, xtool::kStatusCheckOutput> out{};
      result = d_.Xerv3_StatusCheck(ToCString("C").get(), out.data());
    } else {
      result = d_.Xerv1_DataReturn(ToCString("0123456789").get());
    }
    if (result == 0) result = d_.ProtocolChange(selector);
    setStatus(result != 0 ? failure + code(result) : success);
  } catch (const std::exception&) {
    // Whatever goes wrong here ends with the window usable again, and is not reported further.
  }
}
