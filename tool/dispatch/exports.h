// The exports the tool binds from each device library, as tables of function pointers. Both
// libraries export the same names, so they are opened side by side with dlopen and each gets a
// table of its own; only the dispatch layer sees the tables.
#pragma once

#include <cstdint>
#include <type_traits>

namespace xtool {

// Exports both libraries have with the same arguments.
#define XTOOL_SHARED_EXPORTS(X)                                                           \
  X(EE_Read, int32_t(const char*, char*))                                                 \
  X(EE_Close, int32_t())                                                                  \
  X(EE_Open, int32_t())                                                                   \
  X(GetTrk4Data, int32_t(int32_t*, char*))                                                \
  X(GetTrk3Data, int32_t(int32_t*, char*))                                                \
  X(GetTrk2Data, int32_t(int32_t*, char*))                                                \
  X(GetTrk1Data, int32_t(int32_t*, char*))                                                \
  X(GetCard_Result, int32_t(int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, int32_t*,   \
                            int32_t*, int32_t*))                                          \
  X(GetStatus, int32_t(int32_t*))                                                         \
  X(Connection_Model_Setup, int32_t(const uint32_t*))                                     \
  X(BuzzerVolumeSet, int32_t(const char*, char*))                                         \
  X(Shutter_Control_Set, int32_t(const char*, char*))                                     \
  X(Write_Mode_Set, int32_t(const char*, char*))                                          \
  X(Comm_Format_Set, int32_t(const char*, const char*, const char*, const char*,          \
                             const char*, const char*, const char*, char*))               \
  X(Comm_Control_Set, int32_t(const char*, const char*, const char*, const char*,         \
                              const char*, const char*, const char*, char*))              \
  X(ProgVersion_Read, int32_t(char*))                                                     \
  X(Dipsw_Read, int32_t(char*))                                                           \
  X(ProtocolChange, int32_t())                                                            \
  X(Reset_Device, int32_t())                                                              \
  X(Op_Prohibition, int32_t())                                                            \
  X(rs_CommFormat_Set, int32_t(const char*, const char*, const char*, const char*,        \
                               const char*, const char*, const char*))                    \
  X(rs_CommSettings, int32_t(const char*, const char*, const char*, const char*))         \
  X(rs_PortClose, int32_t())                                                              \
  X(rs_PortOpen, int32_t(const char*))

// Exports of the XERV1 library whose arguments differ from the XERV3COM export of that name, and
// the one only it has.
#define XTOOL_XERV1_OWN_EXPORTS(X)                                 \
  X(Power_ON_OFF_Operation_Setup, int32_t(const char*, char*))     \
  X(MagCard_Read, int32_t(const char*))                            \
  X(DataReturn, int32_t(const char*))

// Likewise for the XERV3COM library.
#define XTOOL_XERV3_OWN_EXPORTS(X)                                                          \
  X(Power_ON_OFF_Operation_Setup, int32_t(const char*, const char*, const char*, char*))    \
  X(MagCard_Read, int32_t(const char*, const char*))                                        \
  X(LEDBuzzerOperationTimingSet, int32_t(const char*, char*))                               \
  X(RetryActionCountSet, int32_t(const char*, char*))                                       \
  X(Read_Data_Send_Range_Set, int32_t(const char*, const char*, const char*, char*))        \
  X(BUZ_Operation_setup,                                                                    \
    int32_t(const char*, const char*, const char*, const char*, const char*, char*))        \
  X(LED_Operation_setup,                                                                    \
    int32_t(const char*, const char*, const char*, const char*, const char*, char*))        \
  X(Card_Inst_End_Set, int32_t(const char*, const char*, const char*, char*))               \
  X(StatusCheck, int32_t(const char*, char*))

#define XTOOL_EXPORT_MEMBER(name, signature) std::add_pointer_t<signature> name = nullptr;

struct Xerv1Api {
  XTOOL_SHARED_EXPORTS(XTOOL_EXPORT_MEMBER)
  XTOOL_XERV1_OWN_EXPORTS(XTOOL_EXPORT_MEMBER)
};

struct Xerv3Api {
  XTOOL_SHARED_EXPORTS(XTOOL_EXPORT_MEMBER)
  XTOOL_XERV3_OWN_EXPORTS(XTOOL_EXPORT_MEMBER)
};

struct Libraries {
  Xerv3Api xerv3;
  Xerv1Api xerv1;
};

}  // namespace xtool
