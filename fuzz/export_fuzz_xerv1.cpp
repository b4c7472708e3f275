// Every libxerv1 export with arguments the fuzzer chooses (null, empty, long, any bytes),
// through the library with its port open on a pseudo-terminal whose reader answers at random.
#include "export_harness.h"
#include "xerv/xerv1.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  xfuzz::open_port_once(rs_PortOpen);
  const xfuzz::Call c = xfuzz::split(data, size);
  xfuzz::set_answer(c.answer);
  auto a = [&](std::size_t i) { return c.arg(i); };
  switch (c.which % 40) {
    case 0: MagCard_Read(a(0)); break;
    case 1: MagCard_Read_Hold_Position(a(0)); break;
    case 2: MagCard_Write(a(0), a(1), a(2)); break;
    case 3: MagCard_Write_Hold_Position(a(0), a(1), a(2)); break;
    case 4:
    case 5:
    case 6:
    case 7: {
      const xfuzz::CountedData d = xfuzz::counted_data(c);
      const std::int32_t* count = c.arg(2) == nullptr ? nullptr : &d.count;
      const int which = c.which % 40;
      if (which == 4) MagCard_NTT_Write(count, d.bytes.get());
      if (which == 5) MagCard_NTT8_Write(count, d.bytes.get());
      if (which == 6) MagCard_NTT_Write_Hold_Position(count, d.bytes.get());
      if (which == 7) MagCard_NTT8_Write_Hold_Position(count, d.bytes.get());
      break;
    }
    case 8: DataReturn(a(0)); break;
    case 9: Eject_Card(); break;
    case 10: Eject_Card2(); break;
    case 11: Op_Prohibition(); break;
    case 12: Reset_Device(); break;
    case 13: StatusCheck(xfuzz::buffer(XERV1_STATUS_SIZE).get()); break;
    case 14: Write_Mode_Selection(a(0)); break;
    case 15: Cleaning_Card(a(0)); break;
    case 16: Test_Cmd(a(0), xfuzz::buffer(13).get()); break;
    case 17: Dipsw_Read(xfuzz::buffer(9).get()); break;
    case 18: ProgVersion_Read(xfuzz::buffer(17).get()); break;
    case 19: {
      const std::uint32_t code = static_cast<std::uint32_t>(c.number(0));
      Connection_Model_Setup(c.arg(1) == nullptr ? nullptr : &code);
      break;
    }
    case 20: Power_ON_OFF_Operation_Setup(a(0), xfuzz::buffer(4).get()); break;
    case 21: Track_Info_Set(a(0), a(1), a(2), xfuzz::buffer(5).get()); break;
    case 22: BuzzerVolumeSet(a(0), xfuzz::buffer(2).get()); break;
    case 23: Write_Mode_Set(a(0), xfuzz::buffer(2).get()); break;
    case 24: Shutter_Control_Set(a(0), xfuzz::buffer(2).get()); break;
    case 25: ResponseFormatSet(a(0), xfuzz::buffer(2).get()); break;
    case 26:
      Comm_Control_Set(a(0), a(1), a(2), a(3), a(4), a(5), a(6), xfuzz::buffer(8).get());
      break;
    case 27:
      Comm_Format_Set(a(0), a(1), a(2), a(3), a(4), a(5), a(6), xfuzz::buffer(11).get());
      break;
    case 28: EE_Open(); break;
    case 29: EE_Close(); break;
    case 30: EE_Enable(); break;
    case 31: EE_Disable(); break;
    case 32: EE_Read(a(0), xfuzz::buffer(257).get()); break;
    case 33: EE_Write(a(0), a(1)); break;
    case 34: {
      int32_t length = 0;
      GetEEPROM_Data(c.arg(0) == nullptr ? nullptr : &length, xfuzz::buffer(257).get());
      break;
    }
    case 35: rs_CommFormat_Set(a(0), a(1), a(2), a(3), a(4), a(5), a(6)); break;
    case 36: rs_CommSettings(a(0), a(1), a(2), a(3)); break;
    case 37: xfuzz::poll_queries(); break;
    default: ProtocolChange(); break;
  }
  return 0;
}
