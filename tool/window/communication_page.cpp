// The communication page and the port group: the line on both ends, the firmware version and
// the reader's protocol.
#include "tfrm_main.h"

void TfrmMain::btnPortOpenClick() {
  clearStatus();
  const QString port = edtComPort->text();
  d_.CurrentModel = rdgProtocol->itemIndex() != 0 ? "XERV3" : "XERV1";
  ApplyModelControls();
  const auto arg = xtool::ToCString(port.toStdString());
  const int32_t result = d_.rs_PortOpen(arg.get());
  if (result != 0) {
    setStatus(QStringLiteral("Com ") + port + QStringLiteral("Port Open Error ") +
              QString::number(result));
  } else {
    setStatus(QStringLiteral("Com ") + port + QStringLiteral("Port Open OK !!"));
  }
}

void TfrmMain::btnPortCloseClick() {
  clearStatus();
  d_.rs_PortClose();
  setStatus(QStringLiteral("Com Port Close OK !!"));
}

void TfrmMain::btnComSettingClick() {}
void TfrmMain::cmdSetComFormat_PCClick() {}
void TfrmMain::btnComGetClick() {}
void TfrmMain::btnComSetClick() {}
void TfrmMain::cmdGetComFormatClick() {}
void TfrmMain::cmdSetComFormatClick() {}
void TfrmMain::btnVerInfoGetClick() {}
void TfrmMain::btnGetProtocolChgClick() {}
void TfrmMain::btnSetProtocolChgClick() {}
