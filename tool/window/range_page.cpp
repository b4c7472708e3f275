// The transmission range page: the part of each track's data the reader sends, under the
// names of the reader's own track formats.
#include <QLineEdit>
#include <array>
#include <cstdio>
#include <system_error>

#include "reply_text.h"
#include "setting_command.h"
#include "tfrm_main.h"

using xtool::CString;
using xtool::ToCString;

namespace {

QString code(int32_t result) {
  return QString::number(result);
}

// A range value as the reader takes it: two upper-case hexadecimal digits (10 is "0A").
CString hex_byte(int value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value) & 0xFFu);
  return ToCString(text);
}

// An edit's text read as a decimal number; anything else raises ConversionError.
int edit_value(const QLineEdit* edit) {
  return xtool::DecimalValue(edit->text().toLatin1().toStdString());
}

// What each edit is called in the texts of a failed check, English then Japanese.
struct FieldTexts {
  const char* empty_en;
  const char* empty_ja;
  const char* range_en;
  const char* range_ja;
};

constexpr FieldTexts kFieldTexts[8] = {
    {"Set Tr.1 Start Position", "TR1 開始位置を設定してください",
     "Input Tr.1 Start Position between 0 - 255", "TR1 開始位置を０－２５５で入力してください"},
    {"Set Tr.1 End Position", "TR1 終了指定を設定してください",
     "Input Tr.1 End Position between 0 - 255", "TR1 終了指定を０－２５５で入力してください"},
    {"Set Tr.2 Start Position", "TR2 開始位置を設定してください",
     "Input Tr.2 Start Position between 0 - 255", "TR2 開始位置を０－２５５で入力してください"},
    {"Set Tr.2 End Position", "TR2 終了指定を設定してください",
     "Input Tr.2 End Position between 0 - 255", "TR2 終了指定を０－２５５で入力してください"},
    {"Set Tr.3 Start Position", "TR3 開始位置を設定してください",
     "Input Tr.3 Start Position between 0 - 255", "TR3 開始位置を０－２５５で入力してください"},
    {"Set Tr.3 End Position", "TR3 終了指定を設定してください",
     "Input Tr.3 End Position between 0 - 255", "TR3 終了指定を０－２５５で入力してください"},
    {"Set Tr.4 Start Position", "TR4 開始位置を設定してください",
     "Input Tr.4 Start Position between 0 - 255", "TR4 開始位置を０－２５５で入力してください"},
    {"Set Tr.4 End Position", "TR4 終了指定を設定してください",
     "Input Tr.4 End Position between 0 - 255", "TR4 終了指定を０－２５５で入力してください"},
};

// Which format slot (1 to 4) captions each track group, by the reader's track arrangement 0 to 5.
// Track 4 always has slot 4; tracks 1 to 3 take the three other slots in one of their six orders.
constexpr int kArrangement[6][4] = {
    {1, 2, 3, 4}, {1, 3, 2, 4}, {2, 1, 3, 4}, {2, 3, 1, 4}, {3, 1, 2, 4}, {3, 2, 1, 4},
};

// The EEPROM addresses of the four format codes, slot 1 to slot 4.
constexpr const char* kFormatAddresses[4] = {"00", "08", "10", "18"};

}  // namespace

void TfrmMain::btnCmd_SJ_GetClick() {
  const RangeEdits edits = rangeEdits();
  const QString m = message("MsgCmd_SJ");
  for (int t = 1; t <= 4; ++t) {
    std::array<char, xtool::kSendRangeOutput> out{};
    const CString track = ToCString(std::to_string(t));
    // The track alone is the query of that track's range.
    const auto result =
        d_.Xerv3_Read_Data_Send_Range_Set(track.get(), nullptr, nullptr, out.data());
    if (result != 0) {
      setStatus(m + QStringLiteral(" NG !! ") + code(result));
      continue;
    }
    const std::string reply = xtool::ReplyText(out.data(), out.size());
    setStatus(m + QStringLiteral(" Ok!! ") + xtool::ReplyQString(reply));
    edits.start[t - 1]->setText(QString::number(xtool::HexValue(xtool::ReplyPart(reply, 2, 2))));
    edits.end[t - 1]->setText(QString::number(xtool::HexValue(xtool::ReplyPart(reply, 4, 2))));
  }
}

void TfrmMain::btnCmd_SJ_SetClick() {
  clearStatus();
  if (!ValidateRangeFields()) return;
  const RangeEdits edits = rangeEdits();
  const QString m = message("MsgCmd_SJ");
  // Track 4 has no range to send when the reader has no format for it; before the formats are
  // first read nothing is known, and it is sent.
  const int tracks = FormatCode4 == QStringLiteral("00") ? 3 : 4;
  for (int t = 1; t <= tracks; ++t) {
    std::array<char, xtool::kSendRangeOutput> out{};
    const CString track = ToCString(std::to_string(t));
    const CString from = hex_byte(edit_value(edits.start[t - 1]));
    const CString to = hex_byte(edit_value(edits.end[t - 1]));
    const auto result =
        d_.Xerv3_Read_Data_Send_Range_Set(track.get(), from.get(), to.get(), out.data());
    const QString tr = QStringLiteral(" TR") + QString::number(t);
    setStatus(result != 0 ? m + tr + QStringLiteral(" NG !! ") + code(result)
                          : m + tr + QStringLiteral(" Ok!! "));
  }
  const auto reset = d_.Reset_Device();
  const QString what =
      d_.japanese() ? QStringLiteral("送信範囲設定") : QStringLiteral("Data Transmission Area Set");
  setStatus(reset != 0 ? what + QStringLiteral(" (R) NG !! ") + code(reset)
                       : what + QStringLiteral(" OK !! "));
}

void TfrmMain::LoadTrackFormats() {
  try {
    ClearRangeFields();
    QString* const codes[] = {&FormatCode1, &FormatCode2, &FormatCode3, &FormatCode4};
    for (QString* c : codes) c->clear();

    auto result = d_.EE_Open();
    if (result != 0) {
      setStatus(QStringLiteral("EE_Open NG !! ") + code(result));
      return;
    }
    std::array<char, xtool::kEepromByteOutput> out{};
    result = d_.Xerv3_EE_Read(ToCString("45").get(), out.data());
    if (result != 0) {
      setStatus(QStringLiteral("EE_Read TR1 NG !! ") + code(result));
      result = d_.Xerv3_EE_Close();
      if (result != 0) setStatus(QStringLiteral("EE_Close NG !! ") + code(result));
      return;
    }
    // A reply that is not a number ends here, before the close, and passes to the caller.
    const int arrangement = xtool::DecimalValue(xtool::ReplyText(out.data(), out.size()));

    for (int slot = 0; slot < 4; ++slot) {
      std::array<char, xtool::kEepromByteOutput> byte{};
      result = d_.Xerv3_EE_Read(ToCString(kFormatAddresses[slot]).get(), byte.data());
      if (result != 0) {
        setStatus(QStringLiteral("EE_Read TR") + QString::number(slot + 1) +
                  QStringLiteral(" NG !! ") + code(result));
        break;
      }
      *codes[slot] =
          xtool::ReplyQString(xtool::ReplyPart(xtool::ReplyText(byte.data(), byte.size()), 1, 2));
    }
    result = d_.Xerv3_EE_Close();
    if (result != 0) setStatus(QStringLiteral("EE_Close NG !! ") + code(result));

    // An arrangement the table does not know leaves the groups as they are.
    if (arrangement >= 0 && arrangement < 6) {
      for (int g = 1; g <= 4; ++g)
        LabelTrackRangeGroup(g, *codes[kArrangement[arrangement][g - 1] - 1]);
    }
    PageSetInfo->repaint();
    QCoreApplication::processEvents();
  } catch (const std::system_error& e) {
    // Input and output errors (std::ios_base::failure among them) are shown here; anything
    // else, a reply that is not a number above all, goes to the caller.
    showMessageBox(QStringLiteral("Error : ") + QString::fromLocal8Bit(e.what()));
  }
}

void TfrmMain::LabelTrackRangeGroup(int track, const QString& format) {
  QGroupBox* const groups[] = {grpCmd_SJ_TR1, grpCmd_SJ_TR2, grpCmd_SJ_TR3, grpCmd_SJ_TR4};
  if (track < 1 || track > 4) return;
  QGroupBox* group = groups[track - 1];
  if (format != QStringLiteral("00")) {
    const QString suffix =
        d_.japanese() ? QStringLiteral(" 送信範囲") : QStringLiteral(" Transmission range");
    SetCaption(group, FormatCodeName(format) + suffix);
    EnableTrackRangeGroup(track, true);
  } else {
    // No format on this track: its range means nothing, and its caption stays.
    EnableTrackRangeGroup(track, false);
  }
  group->repaint();
}

QString TfrmMain::FormatCodeName(const QString& format) {
  static const std::pair<const char*, const char*> names[] = {
      {"01", "NTT"}, {"02", "IATA"},  {"03", "ABA"},         {"04", "MINTS"},        {"05", "IBM"},
      {"06", "NEC"}, {"07", "AAMVA"}, {"08", "CA DMV(CDL)"}, {"F0", "ユーザー指定"},
  };
  for (const auto& [c, name] : names) {
    if (format == QLatin1String(c)) return QString::fromUtf8(name);
  }
  return {};
}

TfrmMain::RangeEdits TfrmMain::rangeEdits() const {
  return {{edtCmd_SJ_p2, edtSndPos_TR2_ST1, edtSndPos_TR3_ST1, edtSndPos_TR4_ST1},
          {edtCmd_SJ_p3, edtSndPos_TR2_END1, edtSndPos_TR3_END1, edtSndPos_TR4_END1}};
}

void TfrmMain::ClearRangeFields() {
  for (QLineEdit* e : {edtCmd_SJ_p2, edtCmd_SJ_p3, edtSndPos_TR2_ST1, edtSndPos_TR2_END1,
                       edtSndPos_TR3_ST1, edtSndPos_TR3_END1}) {
    e->setText(QStringLiteral("0"));
  }
}

bool TfrmMain::ValidateRangeFields() {
  const QLineEdit* const edits[8] = {edtCmd_SJ_p2,       edtCmd_SJ_p3,      edtSndPos_TR2_ST1,
                                     edtSndPos_TR2_END1, edtSndPos_TR3_ST1, edtSndPos_TR3_END1,
                                     edtSndPos_TR4_ST1,  edtSndPos_TR4_END1};
  const bool japanese = d_.japanese();
  // Every edit is checked for emptiness before any is checked for its range; track 4 too, even
  // when its range will not be sent.
  for (int i = 0; i < 8; ++i) {
    if (edits[i]->text().isEmpty()) {
      const FieldTexts& f = kFieldTexts[i];
      showMessageBox(QString::fromUtf8(japanese ? f.empty_ja : f.empty_en));
      return false;
    }
  }
  for (int i = 0; i < 8; ++i) {
    if (!InByteRange(edit_value(edits[i]))) {
      const FieldTexts& f = kFieldTexts[i];
      showMessageBox(QString::fromUtf8(japanese ? f.range_ja : f.range_en));
      return false;
    }
  }
  return true;
}
