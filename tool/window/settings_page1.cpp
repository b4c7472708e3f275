// The first device settings page: card insertion end (SH), shutter (SS), power on/off (SP),
// write mode (SM) and retry count (SY).
#include "tfrm_main.h"

void TfrmMain::btnCmd_SH_SetClick() {}
void TfrmMain::btnCm_SH_GetClick() {}
void TfrmMain::ragCmd_SH_p2Click() {}
void TfrmMain::btnCmd_SS_SetClick() {}
void TfrmMain::btnCmd_SS_GetClick() {}
void TfrmMain::btnCmd_SP_SetClick() {}
void TfrmMain::btnCmd_SP_GetClick() {}
void TfrmMain::btnCmd_SM_SetClick() {}
void TfrmMain::btnCmd_SM_GetClick() {}
void TfrmMain::btnCmd_SY_SetClick() {}
void TfrmMain::btnCmd_SY_GetClick() {}
