// The second device settings page: buzzer (SB), LED (SL), their timing (SG) and buzzer volume
// (SV).
#include "tfrm_main.h"

void TfrmMain::btnCmd_SB_SetClick() {}
void TfrmMain::btnCmd_SB_GetClick() {}
void TfrmMain::btnCmd_SL_SetClick() {}
void TfrmMain::btnCmd_SL_GetClick() {}
void TfrmMain::btnCmd_SG_SetClick() {}
void TfrmMain::btnCmd_SG_GetClick() {}
void TfrmMain::btnCmd_SV_SetClick() {}
void TfrmMain::btnCmd_SV_GetClick() {}
