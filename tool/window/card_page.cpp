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

void TfrmMain::btnModelClick() {}
void TfrmMain::btnCommand1Click() {}
void TfrmMain::EdtTrk1Change() {}
void TfrmMain::EdtTrk2Change() {}
void TfrmMain::EdtTrk3Change() {}
void TfrmMain::EdtTrk4Change() {}
void TfrmMain::btnDataClearClick() {}
