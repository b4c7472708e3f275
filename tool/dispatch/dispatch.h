// The tool's one way to the readers: its two process-wide texts (the model that routes the calls
// and the language), every device call it makes, and two small helpers for the handlers.
//
// Routing: a routed call goes to the XERV3COM library when CurrentModel is exactly "XERV3" (byte
// for byte) and to the XERV1 library otherwise, the empty text included. Arguments and results
// pass unchanged. ProtocolChange is routed by the protocol-change selector instead; the calls
// named Xerv3_... and Xerv1_... go to that library whatever the model. Every call runs through
// the runner, one at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "call_runner.h"
#include "exports.h"

namespace xtool {

// A fresh zero-terminated copy of a text, for an argument of a device export: length + 1 bytes,
// released when it goes out of scope, after the call.
using CString = std::unique_ptr<char[]>;
CString ToCString(std::string_view text);

// The text of a track's read result: 1 "STX ERROR" ... 6 "COMPARE ERROR"; any other code, 0
// included, gives the empty text.
std::string CardErrorText(int32_t code);

class Dispatch {
 public:
  Dispatch(const Libraries& libs, CallRunner& runner) : libs_(libs), runner_(runner) {}

  std::string CurrentModel;     // "XERV3" or "XERV1"; empty until the window starts
  std::string CurrentLanguage;  // the settings file's Languages value; "Japanese" selects Japanese

  bool xerv3() const { return CurrentModel == "XERV3"; }
  bool japanese() const { return CurrentLanguage == "Japanese"; }
  bool busy() const { return runner_.busy(); }

  // Routed by CurrentModel.
  int32_t rs_PortOpen(const char* port);
  int32_t rs_PortClose();
  int32_t rs_CommSettings(const char* baud, const char* bits, const char* parity,
                          const char* stop);
  int32_t rs_CommFormat_Set(const char* stx, const char* etx, const char* bcc, const char* us,
                            const char* user_stx, const char* user_etx, const char* user_us);
  int32_t Connection_Model_Setup(const uint32_t* code);
  int32_t Op_Prohibition();
  int32_t Reset_Device();
  int32_t Dipsw_Read(char* out);
  int32_t ProgVersion_Read(char* out);
  int32_t GetStatus(int32_t* status);
  int32_t GetCard_Result(int32_t* r1, int32_t* r2, int32_t* r3, int32_t* r4, int32_t* l1,
                         int32_t* l2, int32_t* l3, int32_t* l4);
  int32_t GetTrkData(int track, int32_t* length, char* out);  // track 1 to 4
  int32_t EE_Open();
  int32_t EE_Close();
  int32_t EE_Read(const char* address, char* out);
  int32_t Comm_Control_Set(const char* p1, const char* p2, const char* p3, const char* p4,
                           const char* p5, const char* p6, const char* p7, char* out);
  int32_t Comm_Format_Set(const char* p1, const char* p2, const char* p3, const char* p4,
                          const char* p5, const char* p6, const char* p7, char* out);
  int32_t Shutter_Control_Set(const char* p1, char* out);
  int32_t Write_Mode_Set(const char* p1, char* out);
  int32_t BuzzerVolumeSet(const char* p1, char* out);

  // Selector 0: the XERV3COM library; any other value: the XERV1 library.
  int32_t ProtocolChange(int selector);

  // Always the XERV3COM library.
  int32_t Xerv3_MagCard_Read(const char* mode, const char* tracks);
  int32_t Xerv3_Power_ON_OFF_Operation_Setup(const char* p1, const char* p2, const char* p3,
                                             char* out);
  int32_t Xerv3_StatusCheck(const char* kind, char* out);
  int32_t Xerv3_Card_Inst_End_Set(const char* p1, const char* p2, const char* p3, char* out);
  int32_t Xerv3_RetryActionCountSet(const char* p1, char* out);
  int32_t Xerv3_BUZ_Operation_setup(const char* p1, const char* p2, const char* p3,
                                    const char* p4, const char* p5, char* out);
  int32_t Xerv3_LED_Operation_setup(const char* p1, const char* p2, const char* p3,
                                    const char* p4, const char* p5, char* out);
  int32_t Xerv3_LEDBuzzerOperationTimingSet(const char* p1, char* out);
  int32_t Xerv3_Read_Data_Send_Range_Set(const char* track, const char* start, const char* end,
                                         char* out);
  int32_t Xerv3_EE_Read(const char* address, char* out);
  int32_t Xerv3_EE_Close();

  // Always the XERV1 library.
  int32_t Xerv1_MagCard_Read(const char* selection);
  int32_t Xerv1_Power_ON_OFF_Operation_Setup(const char* p1, char* out);
  int32_t Xerv1_DataReturn(const char* ten);

 private:
  const Libraries& libs_;
  CallRunner& runner_;
};

}  // namespace xtool
