// Which control runs which handler. Buttons run theirs through guarded, so that a reply the
// window cannot read ends in the standard error box instead of leaving the event loop.
#include "radio_group.h"
#include "tfrm_main.h"

void TfrmMain::connectPageHandlers() {
  const std::pair<QAbstractButton*, void (TfrmMain::*)()> buttons[] = {
      // Communication page, version and protocol groups.
      {btnComSetting, &TfrmMain::btnComSettingClick},
      {cmdSetComFormat_PC, &TfrmMain::cmdSetComFormat_PCClick},
      {btnComGet, &TfrmMain::btnComGetClick},
      {btnComSet, &TfrmMain::btnComSetClick},
      {cmdGetComFormat, &TfrmMain::cmdGetComFormatClick},
      {cmdSetComFormat, &TfrmMain::cmdSetComFormatClick},
      {btnVerInfoGet, &TfrmMain::btnVerInfoGetClick},
      {btnGetProtocolChg, &TfrmMain::btnGetProtocolChgClick},
      {btnSetProtocolChg, &TfrmMain::btnSetProtocolChgClick},
      // Device settings pages and the sweep.
      {btnCmd_SH_Set, &TfrmMain::btnCmd_SH_SetClick},
      {btnCmd_SH_Get, &TfrmMain::btnCm_SH_GetClick},
      {btnCmd_SS_Set, &TfrmMain::btnCmd_SS_SetClick},
      {btnCmd_SS_Get, &TfrmMain::btnCmd_SS_GetClick},
      {btnCmd_SP_Set, &TfrmMain::btnCmd_SP_SetClick},
      {btnCmd_SP_Get, &TfrmMain::btnCmd_SP_GetClick},
      {btnCmd_SM_Set, &TfrmMain::btnCmd_SM_SetClick},
      {btnCmd_SM_Get, &TfrmMain::btnCmd_SM_GetClick},
      {btnCmd_SY_Set, &TfrmMain::btnCmd_SY_SetClick},
      {btnCmd_SY_Get, &TfrmMain::btnCmd_SY_GetClick},
      {btnCmd_SB_Set, &TfrmMain::btnCmd_SB_SetClick},
      {btnCmd_SB_Get, &TfrmMain::btnCmd_SB_GetClick},
      {btnCmd_SL_Set, &TfrmMain::btnCmd_SL_SetClick},
      {btnCmd_SL_Get, &TfrmMain::btnCmd_SL_GetClick},
      {btnCmd_SG_Set, &TfrmMain::btnCmd_SG_SetClick},
      {btnCmd_SG_Get, &TfrmMain::btnCmd_SG_GetClick},
      {btnCmd_SV_Set, &TfrmMain::btnCmd_SV_SetClick},
      {btnCmd_SV_Get, &TfrmMain::btnCmd_SV_GetClick},
      {btnAll_Get, &TfrmMain::btnAll_GetClick},
      // Transmission range page.
      {btnCmd_SJ_Get, &TfrmMain::btnCmd_SJ_GetClick},
      {btnCmd_SJ_Set, &TfrmMain::btnCmd_SJ_SetClick},
      // Card operations page.
      {btnModel, &TfrmMain::btnModelClick},
      {btnCommand1, &TfrmMain::btnCommand1Click},
      {btnDataClear, &TfrmMain::btnDataClearClick},
  };
  for (const auto& [button, handler] : buttons) {
    connect(button, &QAbstractButton::clicked, this, [this, h = handler] { guarded(h); });
  }
  connect(ragCmd_SH_p2, &TRadioGroup::clicked, this, &TfrmMain::ragCmd_SH_p2Click);
  connect(EdtTrk1, &QLineEdit::textChanged, this, &TfrmMain::EdtTrk1Change);
  connect(EdtTrk2, &QLineEdit::textChanged, this, &TfrmMain::EdtTrk2Change);
  connect(EdtTrk3, &QLineEdit::textChanged, this, &TfrmMain::EdtTrk3Change);
  connect(EdtTrk4, &QLineEdit::textChanged, this, &TfrmMain::EdtTrk4Change);
}
