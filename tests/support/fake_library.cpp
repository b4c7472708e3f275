// A stand-in for a device library, built by the tests under the real file names: every export
// the tool binds records its name and returns the result set for it, so that a test sees which
// library each call of the tool reached. FAKE_LIBRARY names the library in the record;
// FAKE_XERV3 selects the XERV3COM export set; FAKE_OMIT leaves one export out.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace {
std::mutex mu;
std::string calls;
std::map<std::string, int32_t> results;

int32_t record(const char* name) {
  int32_t result = 0;
  {
    std::lock_guard lock(mu);
    calls += std::string(FAKE_LIBRARY) + ":" + name + "\n";
    if (auto it = results.find(name); it != results.end()) result = it->second;
  }
  // A slow reader, for the tests of the window during a call.
  if (std::strcmp(name, "ProgVersion_Read") == 0) {
    if (const char* ms = std::getenv("FAKE_SLOW_MS")) {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(ms)));
    }
  }
  return result;
}
// The line settings and the model calls also record their arguments: "name(a,b,...)".
int32_t record_args(const char* name, std::initializer_list<const char*> args) {
  std::string call = name;
  call += '(';
  for (const char* a : args) {
    if (call.back() != '(') call += ',';
    call += a ? a : "null";
  }
  call += ')';
  {
    std::lock_guard lock(mu);
    calls += std::string(FAKE_LIBRARY) + ":" + call + "\n";
  }
  std::lock_guard lock(mu);
  auto it = results.find(name);
  return it != results.end() ? it->second : 0;
}
}  // namespace

// The calls so far, one "library:export" line each; cleared by fake_clear.
FAKE_API const char* fake_calls() {
  std::lock_guard lock(mu);
  static std::string copy;
  copy = calls;
  return copy.c_str();
}
FAKE_API void fake_clear() {
  std::lock_guard lock(mu);
  calls.clear();
  results.clear();
}
FAKE_API void fake_set_result(const char* name, int32_t result) {
  std::lock_guard lock(mu);
  results[name] = result;
}

#if !defined(FAKE_OMIT_EE_Read)
FAKE_API int32_t EE_Read(const char*, char*) { return record("EE_Read"); }
#endif
#if !defined(FAKE_OMIT_EE_Close)
FAKE_API int32_t EE_Close() { return record("EE_Close"); }
#endif
#if !defined(FAKE_OMIT_EE_Open)
FAKE_API int32_t EE_Open() { return record("EE_Open"); }
#endif
#if !defined(FAKE_OMIT_GetTrk4Data)
FAKE_API int32_t GetTrk4Data(int32_t*, char*) { return record("GetTrk4Data"); }
#endif
#if !defined(FAKE_OMIT_GetTrk3Data)
FAKE_API int32_t GetTrk3Data(int32_t*, char*) { return record("GetTrk3Data"); }
#endif
#if !defined(FAKE_OMIT_GetTrk2Data)
FAKE_API int32_t GetTrk2Data(int32_t*, char*) { return record("GetTrk2Data"); }
#endif
#if !defined(FAKE_OMIT_GetTrk1Data)
FAKE_API int32_t GetTrk1Data(int32_t*, char*) { return record("GetTrk1Data"); }
#endif
#if !defined(FAKE_OMIT_GetCard_Result)
FAKE_API int32_t GetCard_Result(int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, int32_t*) { return record("GetCard_Result"); }
#endif
#if !defined(FAKE_OMIT_GetStatus)
FAKE_API int32_t GetStatus(int32_t*) { return record("GetStatus"); }
#endif
#if !defined(FAKE_OMIT_Connection_Model_Setup)
FAKE_API int32_t Connection_Model_Setup(const uint32_t* code) { const std::string v = code ? std::to_string(*code) : "null"; return record_args("Connection_Model_Setup", {v.c_str()}); }
#endif
#if !defined(FAKE_OMIT_BuzzerVolumeSet)
FAKE_API int32_t BuzzerVolumeSet(const char*, char*) { return record("BuzzerVolumeSet"); }
#endif
#if !defined(FAKE_OMIT_Shutter_Control_Set)
FAKE_API int32_t Shutter_Control_Set(const char*, char*) { return record("Shutter_Control_Set"); }
#endif
#if !defined(FAKE_OMIT_Write_Mode_Set)
FAKE_API int32_t Write_Mode_Set(const char*, char*) { return record("Write_Mode_Set"); }
#endif
#if !defined(FAKE_OMIT_Comm_Format_Set)
FAKE_API int32_t Comm_Format_Set(const char*, const char*, const char*, const char*, const char*, const char*, const char*, char*) { return record("Comm_Format_Set"); }
#endif
#if !defined(FAKE_OMIT_Comm_Control_Set)
FAKE_API int32_t Comm_Control_Set(const char*, const char*, const char*, const char*, const char*, const char*, const char*, char*) { return record("Comm_Control_Set"); }
#endif
#if !defined(FAKE_OMIT_ProgVersion_Read)
FAKE_API int32_t ProgVersion_Read(char*) { return record("ProgVersion_Read"); }
#endif
#if !defined(FAKE_OMIT_Dipsw_Read)
FAKE_API int32_t Dipsw_Read(char*) { return record("Dipsw_Read"); }
#endif
#if !defined(FAKE_OMIT_ProtocolChange)
FAKE_API int32_t ProtocolChange() { return record("ProtocolChange"); }
#endif
#if !defined(FAKE_OMIT_Reset_Device)
FAKE_API int32_t Reset_Device() { return record("Reset_Device"); }
#endif
#if !defined(FAKE_OMIT_Op_Prohibition)
FAKE_API int32_t Op_Prohibition() { return record("Op_Prohibition"); }
#endif
#if !defined(FAKE_OMIT_rs_CommFormat_Set)
FAKE_API int32_t rs_CommFormat_Set(const char* a, const char* b, const char* c, const char* d, const char* e, const char* f, const char* g) { return record_args("rs_CommFormat_Set", {a, b, c, d, e, f, g}); }
#endif
#if !defined(FAKE_OMIT_rs_CommSettings)
FAKE_API int32_t rs_CommSettings(const char* a, const char* b, const char* c, const char* d) { return record_args("rs_CommSettings", {a, b, c, d}); }
#endif
#if !defined(FAKE_OMIT_rs_PortClose)
FAKE_API int32_t rs_PortClose() { return record("rs_PortClose"); }
#endif
#if !defined(FAKE_OMIT_rs_PortOpen)
FAKE_API int32_t rs_PortOpen(const char*) { return record("rs_PortOpen"); }
#endif
#ifdef FAKE_XERV3
#if !defined(FAKE_OMIT_Power_ON_OFF_Operation_Setup)
FAKE_API int32_t Power_ON_OFF_Operation_Setup(const char*, const char*, const char*, char*) { return record("Power_ON_OFF_Operation_Setup"); }
#endif
#if !defined(FAKE_OMIT_MagCard_Read)
FAKE_API int32_t MagCard_Read(const char*, const char*) { return record("MagCard_Read"); }
#endif
#if !defined(FAKE_OMIT_LEDBuzzerOperationTimingSet)
FAKE_API int32_t LEDBuzzerOperationTimingSet(const char*, char*) { return record("LEDBuzzerOperationTimingSet"); }
#endif
#if !defined(FAKE_OMIT_RetryActionCountSet)
FAKE_API int32_t RetryActionCountSet(const char*, char*) { return record("RetryActionCountSet"); }
#endif
#if !defined(FAKE_OMIT_Read_Data_Send_Range_Set)
FAKE_API int32_t Read_Data_Send_Range_Set(const char*, const char*, const char*, char*) { return record("Read_Data_Send_Range_Set"); }
#endif
#if !defined(FAKE_OMIT_BUZ_Operation_setup)
FAKE_API int32_t BUZ_Operation_setup(const char*, const char*, const char*, const char*, const char*, char*) { return record("BUZ_Operation_setup"); }
#endif
#if !defined(FAKE_OMIT_LED_Operation_setup)
FAKE_API int32_t LED_Operation_setup(const char*, const char*, const char*, const char*, const char*, char*) { return record("LED_Operation_setup"); }
#endif
#if !defined(FAKE_OMIT_Card_Inst_End_Set)
FAKE_API int32_t Card_Inst_End_Set(const char*, const char*, const char*, char*) { return record("Card_Inst_End_Set"); }
#endif
#if !defined(FAKE_OMIT_StatusCheck)
FAKE_API int32_t StatusCheck(const char*, char*) { return record("StatusCheck"); }
#endif
#else
#if !defined(FAKE_OMIT_Power_ON_OFF_Operation_Setup)
FAKE_API int32_t Power_ON_OFF_Operation_Setup(const char*, char*) { return record("Power_ON_OFF_Operation_Setup"); }
#endif
#if !defined(FAKE_OMIT_MagCard_Read)
FAKE_API int32_t MagCard_Read(const char*) { return record("MagCard_Read"); }
#endif
#if !defined(FAKE_OMIT_DataReturn)
FAKE_API int32_t DataReturn(const char*) { return record("DataReturn"); }
#endif
#endif
