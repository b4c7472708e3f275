// The card operations page: the reader variant, the test commands and the 300 ms poll that
// shows each card's tracks.
#include <array>
#include <vector>

#include "tfrm_main.h"

namespace {

// The longest track the libraries keep is 110 characters; a track buffer holds that and its
// terminating zero whatever length the result query reported, since a newer card report may
// arrive between the two queries.
constexpr std::size_t kTrackBufferSize = 111;

}  // namespace

void TfrmMain::Timer1Timer() {
  // A tick that falls inside another device call is skipped; the next one polls.
  if (d_.busy()) return;
  int32_t status = 0;
  if (d_.GetStatus(&status) != 0 || status == 0 || (status & 1) == 0) return;
  const std::array<QLineEdit*, 4> edits{EdtTrk1, EdtTrk2, EdtTrk3, EdtTrk4};
  const std::array<QLabel*, 4> results{pnlTrk1_Result, pnlTrk2_Result, pnlTrk3_Result,
                                       pnlTrk4_Result};
  for (auto* e : edits) e->clear();
  std::array<int32_t, 4> r{};
  std::array<int32_t, 4> len{};
  d_.GetCard_Result(&r[0], &r[1], &r[2], &r[3], &len[0], &len[1], &len[2], &len[3]);
  for (int t = 0; t < 4; ++t) {
    if (r[t] != 0) {
      results[t]->setText(QString::fromStdString(xtool::CardErrorText(r[t])));
      continue;
    }
    std::vector<char> buffer(kTrackBufferSize, '\0');
    int32_t scratch = 0;
    d_.GetTrkData(t + 1, &scratch, buffer.data());
    buffer.back() = '\0';
    edits[t]->setText(QString::fromLatin1(buffer.data()));
    results[t]->setText(QStringLiteral("OK"));
  }
}

void TfrmMain::btnModelClick() {
  clearStatus();
  // Items 0 to 5 are the variants 100 to 105; with no item selected (a typed text) the index
  // itself, -1, goes to the library, which refuses it.
  // The box also takes typed text: the selection is the item that text names, if any.
  const int index = cboModel->findText(cboModel->currentText(), Qt::MatchFixedString);
  const auto model = static_cast<uint32_t>(index >= 0 && index <= 5 ? 100 + index : index);
  const auto result = d_.Connection_Model_Setup(&model);
  if (result != 0) {
    setStatus(QStringLiteral("Model Setup NG Error ") + QString::number(result));
  } else {
    setStatus(QStringLiteral("Model Setup OK !!"));
    btnCommand1->setEnabled(true);
  }
  Timer1->start();
}

void TfrmMain::btnCommand1Click() {
  clearStatus();
  btnDataClearClick();
  QString text;
  int32_t result = 0;
  switch (ragCommand1->itemIndex()) {
    case 0:
      // The card data come later, through the poll.
      if (d_.xerv3()) {
        result = d_.Xerv3_MagCard_Read(xtool::ToCString("C").get(), xtool::ToCString("").get());
      } else {
        result = d_.Xerv1_MagCard_Read(nullptr);
      }
      text = QStringLiteral("MagCard_Read Command");
      break;
    case 1:
      result = d_.Op_Prohibition();
      text = QStringLiteral("Op_Prohibition Command");
      break;
    case 2:
      result = d_.Reset_Device();
      text = QStringLiteral("Reset_Device Command");
      break;
    default:
      return;
  }
  setStatus(result != 0 ? text + QStringLiteral(" NG !! ") + QString::number(result)
                        : text + QStringLiteral(" Ok!!"));
}

void TfrmMain::EdtTrk1Change() { pnlTrk1Len->setText(QString::number(EdtTrk1->text().size())); }
void TfrmMain::EdtTrk2Change() { pnlTrk2Len->setText(QString::number(EdtTrk2->text().size())); }
void TfrmMain::EdtTrk3Change() { pnlTrk3Len->setText(QString::number(EdtTrk3->text().size())); }
void TfrmMain::EdtTrk4Change() { pnlTrk4Len->setText(QString::number(EdtTrk4->text().size())); }

void TfrmMain::btnDataClearClick() {
  for (QLabel* l : {pnlTrk1Len, pnlTrk2Len, pnlTrk3Len, pnlTrk4Len, pnlTrk1_Result,
                    pnlTrk2_Result, pnlTrk3_Result, pnlTrk4_Result}) {
    l->clear();
  }
  // Emptying an edit that held text runs its change handler: its length panel shows 0.
  for (QLineEdit* e : {EdtTrk1, EdtTrk2, EdtTrk3, EdtTrk4}) e->clear();
}
