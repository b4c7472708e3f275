// The controls that only XERV3 readers have, switched on or off at every port open.
#include "tfrm_main.h"

void TfrmMain::ApplyModelControls() {
  const bool xerv1 = d_.CurrentModel == "XERV1";
  cboUS_PC->setCurrentIndex(0);
  cboComBit_PC->setCurrentIndex(xerv1 ? 0 : 1);
  cboComUS->setCurrentIndex(0);
  QWidget* const list[] = {
      cboUS_PC, edtUserUS_PC, cboComUS, edtUserUS, lblComUS, lblUS_PC,
      grpCmd_SH, ragCmd_SH_p2, grpCmd_SH_p3, ragCmd_SH_p31, grpCmd_SH_p32, edtCmd_SH_p32,
      btnCmd_SH_Get, btnCmd_SH_Set,
      grpCmd_SY, edtCmd_SY, btnCmd_SY_Get, btnCmd_SY_Set,
      grpCmd_SB, ragCmd_SB_p1, grpCmd_SB_p2_3, lblCmd_SB_p2, edtCmd_SB_p2, lblCmd_SB_p3,
      edtCmd_SB_p3, grpCmd_SB_p4_5, lblCmd_SB_p4, edtCmd_SB_p4, lblCmd_SB_p5, edtCmd_SB_p5,
      btnCmd_SB_Get, btnCmd_SB_Set,
      grpCmd_SL, ragCmd_SL_p1, grpCmd_SL_p2_3, lblCmd_SL_p2, edtCmd_SL_p2, lblCmd_SL_p3,
      edtCmd_SL_p3, grpCmd_SL_p4_5, lblCmd_SL_p4, edtCmd_SL_p4, lblCmd_SL_p5, edtCmd_SL_p5,
      btnCmd_SL_Get, btnCmd_SL_Set,
      grpCmd_SG, ragCmd_SG, btnCmd_SG_Get, btnCmd_SG_Set,
      grbVerInfo, lblVerInfo_ver, lblVerInfo_verinfo, lblVerInfo_date, lblVerInfo_dateinfo,
      btnVerInfoGet,
      btnCmd_SJ_Get, btnCmd_SJ_Set,
  };
  for (QWidget* w : list) w->setEnabled(!xerv1);
  for (int track = 1; track <= 4; ++track) EnableTrackRangeGroup(track, !xerv1);
}

void TfrmMain::EnableTrackRangeGroup(int track, bool enabled) {
  if (track < 1 || track > 4) return;
  QWidget* group[] = {grpCmd_SJ_TR1, grpCmd_SJ_TR2, grpCmd_SJ_TR3, grpCmd_SJ_TR4};
  QWidget* start_label[] = {lblSndPos_TR1_ST1, lblSndPos_TR2_ST1, lblSndPos_TR3_ST1,
                            lblSndPos_TR4_ST1};
  QWidget* end_label[] = {lblSndPos_TR1_END1, lblSndPos_TR2_END1, lblSndPos_TR3_END1,
                          lblSndPos_TR4_END1};
  const RangeEdits edits = rangeEdits();
  QWidget* range_label[] = {lblSndPos_TR1_reng, lblSndPos_TR2_reng, lblSndPos_TR3_reng,
                            lblSndPos_TR4_reng};
  const int i = track - 1;
  for (QWidget* w : {group[i], start_label[i], end_label[i],
                     static_cast<QWidget*>(edits.start[i]), static_cast<QWidget*>(edits.end[i]),
                     range_label[i]}) {
    w->setEnabled(enabled);
  }
  QCoreApplication::processEvents();
}
