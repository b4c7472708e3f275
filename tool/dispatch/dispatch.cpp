#include "dispatch.h"

#include <cstring>

namespace xtool {

CString ToCString(std::string_view text) {
  CString copy(new char[text.size() + 1]);
  if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

std::string CardErrorText(int32_t code) {
  switch (code) {
    case 1: return "STX ERROR";
    case 2: return "ETX ERROR";
    case 3: return "PARITY ERROR";
    case 4: return "LRC ERROR";
    case 5: return "FORMAT ERROR";
    case 6: return "COMPARE ERROR";
    default: return "";
  }
}

// A call of the export `name` in the library CurrentModel chooses, through the runner.
#define XTOOL_ROUTED(name, ...)                                                          \
  runner_.run([&]() -> int32_t {                                                        \
    return xerv3() ? libs_.xerv3.name(__VA_ARGS__) : libs_.xerv1.name(__VA_ARGS__);     \
  })
#define XTOOL_FIXED(library, name, ...) \
  runner_.run([&]() -> int32_t { return libs_.library.name(__VA_ARGS__); })

int32_t Dispatch::rs_PortOpen(const char* port) { return XTOOL_ROUTED(rs_PortOpen, port); }
int32_t Dispatch::rs_PortClose() { return XTOOL_ROUTED(rs_PortClose); }
int32_t Dispatch::rs_CommSettings(const char* baud, const char* bits, const char* parity,
                                  const char* stop) {
  return XTOOL_ROUTED(rs_CommSettings, baud, bits, parity, stop);
}
int32_t Dispatch::rs_CommFormat_Set(const char* stx, const char* etx, const char* bcc,
                                    const char* us, const char* user_stx, const char* user_etx,
                                    const char* user_us) {
  return XTOOL_ROUTED(rs_CommFormat_Set, stx, etx, bcc, us, user_stx, user_etx, user_us);
}
int32_t Dispatch::Connection_Model_Setup(const uint32_t* code) {
  return XTOOL_ROUTED(Connection_Model_Setup, code);
}
int32_t Dispatch::Op_Prohibition() { return XTOOL_ROUTED(Op_Prohibition); }
int32_t Dispatch::Reset_Device() { return XTOOL_ROUTED(Reset_Device); }
int32_t Dispatch::Dipsw_Read(char* out) { return XTOOL_ROUTED(Dipsw_Read, out); }
int32_t Dispatch::ProgVersion_Read(char* out) { return XTOOL_ROUTED(ProgVersion_Read, out); }
int32_t Dispatch::GetStatus(int32_t* status) { return XTOOL_ROUTED(GetStatus, status); }
int32_t Dispatch::GetCard_Result(int32_t* r1, int32_t* r2, int32_t* r3, int32_t* r4,
                                 int32_t* l1, int32_t* l2, int32_t* l3, int32_t* l4) {
  return XTOOL_ROUTED(GetCard_Result, r1, r2, r3, r4, l1, l2, l3, l4);
}
int32_t Dispatch::GetTrkData(int track, int32_t* length, char* out) {
  switch (track) {
    case 1: return XTOOL_ROUTED(GetTrk1Data, length, out);
    case 2: return XTOOL_ROUTED(GetTrk2Data, length, out);
    case 3: return XTOOL_ROUTED(GetTrk3Data, length, out);
    case 4: return XTOOL_ROUTED(GetTrk4Data, length, out);
    default: return kBusy;
  }
}
int32_t Dispatch::EE_Open() { return XTOOL_ROUTED(EE_Open); }
int32_t Dispatch::EE_Close() { return XTOOL_ROUTED(EE_Close); }
int32_t Dispatch::EE_Read(const char* address, char* out) {
  return XTOOL_ROUTED(EE_Read, address, out);
}
int32_t Dispatch::Comm_Control_Set(const char* p1, const char* p2, const char* p3,
                                   const char* p4, const char* p5, const char* p6,
                                   const char* p7, char* out) {
  return XTOOL_ROUTED(Comm_Control_Set, p1, p2, p3, p4, p5, p6, p7, out);
}
int32_t Dispatch::Comm_Format_Set(const char* p1, const char* p2, const char* p3, const char* p4,
                                  const char* p5, const char* p6, const char* p7, char* out) {
  return XTOOL_ROUTED(Comm_Format_Set, p1, p2, p3, p4, p5, p6, p7, out);
}
int32_t Dispatch::Shutter_Control_Set(const char* p1, char* out) {
  return XTOOL_ROUTED(Shutter_Control_Set, p1, out);
}
int32_t Dispatch::Write_Mode_Set(const char* p1, char* out) {
  return XTOOL_ROUTED(Write_Mode_Set, p1, out);
}
int32_t Dispatch::BuzzerVolumeSet(const char* p1, char* out) {
  return XTOOL_ROUTED(BuzzerVolumeSet, p1, out);
}

int32_t Dispatch::ProtocolChange(int selector) {
  return runner_.run([&]() -> int32_t {
    return selector == 0 ? libs_.xerv3.ProtocolChange() : libs_.xerv1.ProtocolChange();
  });
}

int32_t Dispatch::Xerv3_MagCard_Read(const char* mode, const char* tracks) {
  return XTOOL_FIXED(xerv3, MagCard_Read, mode, tracks);
}
int32_t Dispatch::Xerv3_Power_ON_OFF_Operation_Setup(const char* p1, const char* p2,
                                                     const char* p3, char* out) {
  return XTOOL_FIXED(xerv3, Power_ON_OFF_Operation_Setup, p1, p2, p3, out);
}
int32_t Dispatch::Xerv3_StatusCheck(const char* kind, char* out) {
  return XTOOL_FIXED(xerv3, StatusCheck, kind, out);
}
int32_t Dispatch::Xerv3_Card_Inst_End_Set(const char* p1, const char* p2, const char* p3,
                                          char* out) {
  return XTOOL_FIXED(xerv3, Card_Inst_End_Set, p1, p2, p3, out);
}
int32_t Dispatch::Xerv3_RetryActionCountSet(const char* p1, char* out) {
  return XTOOL_FIXED(xerv3, RetryActionCountSet, p1, out);
}
int32_t Dispatch::Xerv3_BUZ_Operation_setup(const char* p1, const char* p2, const char* p3,
                                            const char* p4, const char* p5, char* out) {
  return XTOOL_FIXED(xerv3, BUZ_Operation_setup, p1, p2, p3, p4, p5, out);
}
int32_t Dispatch::Xerv3_LED_Operation_setup(const char* p1, const char* p2, const char* p3,
                                            const char* p4, const char* p5, char* out) {
  return XTOOL_FIXED(xerv3, LED_Operation_setup, p1, p2, p3, p4, p5, out);
}
int32_t Dispatch::Xerv3_LEDBuzzerOperationTimingSet(const char* p1, char* out) {
  return XTOOL_FIXED(xerv3, LEDBuzzerOperationTimingSet, p1, out);
}
int32_t Dispatch::Xerv3_Read_Data_Send_Range_Set(const char* track, const char* start,
                                                 const char* end, char* out) {
  return XTOOL_FIXED(xerv3, Read_Data_Send_Range_Set, track, start, end, out);
}
int32_t Dispatch::Xerv3_EE_Read(const char* address, char* out) {
  return XTOOL_FIXED(xerv3, EE_Read, address, out);
}
int32_t Dispatch::Xerv3_EE_Close() { return XTOOL_FIXED(xerv3, EE_Close); }

int32_t Dispatch::Xerv1_MagCard_Read(const char* selection) {
  return XTOOL_FIXED(xerv1, MagCard_Read, selection);
}
int32_t Dispatch::Xerv1_Power_ON_OFF_Operation_Setup(const char* p1, char* out) {
  return XTOOL_FIXED(xerv1, Power_ON_OFF_Operation_Setup, p1, out);
}
int32_t Dispatch::Xerv1_DataReturn(const char* ten) {
  return XTOOL_FIXED(xerv1, DataReturn, ten);
}

}  // namespace xtool
