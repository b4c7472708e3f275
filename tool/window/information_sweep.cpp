// The information sweep: every setting of the connected reader read in one go, and the groups
// that depend on its DIP switches and firmware.
#include "tfrm_main.h"

void TfrmMain::btnAll_GetClick() {}
void TfrmMain::ApplySwitchAndVersionControls() {}
