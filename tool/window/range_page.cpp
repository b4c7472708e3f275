// The transmission range page: the part of each track's data the reader sends, under the
// names of the reader's own track formats.
#include "tfrm_main.h"

void TfrmMain::btnCmd_SJ_GetClick() {}
void TfrmMain::btnCmd_SJ_SetClick() {}
void TfrmMain::LoadTrackFormats() {}
void TfrmMain::LabelTrackRangeGroup(int, const QString&) {}
QString TfrmMain::FormatCodeName(const QString&) { return {}; }
void TfrmMain::ClearRangeFields() {}
bool TfrmMain::ValidateRangeFields() { return true; }
