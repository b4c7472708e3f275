// Every command export of libxerv1 returns -1 and sends nothing before the port is opened and
// after it is closed.
#include <gtest/gtest.h>

#include <functional>

#include "host_test.h"
#include "pty_reader.h"
#include "xerv/xerv1.h"

namespace xtest {
namespace {

using namespace std::chrono_literals;

char out[257];
const int32_t five = 5;
const uint32_t model = 101;

// Every export that talks to the reader, with arguments it would accept, and GetEEPROM_Data.
const NamedCall kEveryExport[] = {
    {"MagCard_Read", [] { return MagCard_Read("1"); }},
    {"MagCard_Read_Hold_Position", [] { return MagCard_Read_Hold_Position(nullptr); }},
    {"MagCard_Write", [] { return MagCard_Write("1", "2", "3"); }},
    {"MagCard_Write_Hold_Position", [] { return MagCard_Write_Hold_Position("1", "2", "3"); }},
    {"MagCard_NTT_Write", [] { return MagCard_NTT_Write(&five, "12345"); }},
    {"MagCard_NTT_Write_Hold_Position",
     [] { return MagCard_NTT_Write_Hold_Position(&five, "12345"); }},
    {"MagCard_NTT8_Write", [] { return MagCard_NTT8_Write(&five, "12345"); }},
    {"MagCard_NTT8_Write_Hold_Position",
     [] { return MagCard_NTT8_Write_Hold_Position(&five, "12345"); }},
    {"DataReturn", [] { return DataReturn("0123456789"); }},
    {"Eject_Card", [] { return Eject_Card(); }},
    {"Eject_Card2", [] { return Eject_Card2(); }},
    {"Op_Prohibition", [] { return Op_Prohibition(); }},
    {"Reset_Device", [] { return Reset_Device(); }},
    {"ProtocolChange", [] { return ProtocolChange(); }},
    {"StatusCheck", [] { return StatusCheck(out); }},
    {"Write_Mode_Selection", [] { return Write_Mode_Selection("1"); }},
    {"Cleaning_Card", [] { return Cleaning_Card("1"); }},
    {"Power_ON_OFF_Operation_Setup", [] { return Power_ON_OFF_Operation_Setup("1", out); }},
    {"Track_Info_Set", [] { return Track_Info_Set("1", "2", "3", out); }},
    {"BuzzerVolumeSet", [] { return BuzzerVolumeSet("1", out); }},
    {"Write_Mode_Set", [] { return Write_Mode_Set("1", out); }},
    {"Shutter_Control_Set", [] { return Shutter_Control_Set("1", out); }},
    {"Comm_Control_Set", [] { return Comm_Control_Set("1", "1", "0", "0", "0", "0", "0", out); }},
    {"Comm_Format_Set", [] { return Comm_Format_Set("1", "4", "1", "0", "", "", "", out); }},
    {"ResponseFormatSet", [] { return ResponseFormatSet("1", out); }},
    {"Test_Cmd", [] { return Test_Cmd("1", out); }},
    {"Dipsw_Read", [] { return Dipsw_Read(out); }},
    {"ProgVersion_Read", [] { return ProgVersion_Read(out); }},
    {"Connection_Model_Setup", [] { return Connection_Model_Setup(&model); }},
    {"EE_Open", [] { return EE_Open(); }},
    {"EE_Close", [] { return EE_Close(); }},
    {"EE_Enable", [] { return EE_Enable(); }},
    {"EE_Disable", [] { return EE_Disable(); }},
    {"EE_Read", [] { return EE_Read("3A", out); }},
    {"EE_Write", [] { return EE_Write("3A", "0F"); }},
    {"GetEEPROM_Data",
     [] {
       int32_t length = 0;
       return GetEEPROM_Data(&length, out);
     }},
    {"with a bad argument", [] { return DataReturn(nullptr); }},
};

TEST(NoPort, EveryExportGivesMinusOneBeforeOpenAndAfterClose) {
  expect_minus_one_without_port(kEveryExport);
}

}  // namespace
}  // namespace xtest
