// Every libxerv3com export with arguments the fuzzer chooses (null, empty, long, any bytes),
// through the library with its port open on a pseudo-terminal whose reader answers at random.
#include "export_harness.h"
#include "xerv/xerv3com.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  xfuzz::open_port_once(rs_PortOpen);
  const xfuzz::Call c = xfuzz::split(data, size);
  xfuzz::set_answer(c.answer);
  auto a = [&](std::size_t i) { return c.arg(i); };
  switch (c.which % 44) {
    case 0: MagCard_Read(a(0), a(1)); break;
    case 1: MagCard_Read_Eject_Position(a(0), a(1), a(2)); break;
    case 2: MagCard_Write(a(0), a(1), a(2), a(3), 0); break;
    case 3: MagCard_Write_Eject_Position(a(0), a(1), a(2), a(3), 0, a(4)); break;
    case 4: Eject_Card(a(0)); break;
    case 5: Write_Mode_Selection(a(0)); break;
    case 6: Op_Prohibition(); break;
    case 7: Reset_Device(); break;
    case 8: StatusCheck(a(0), xfuzz::buffer(13).get()); break;
    case 9: Cleaning_Card(a(0)); break;
    case 10: Test_Cmd(a(0), xfuzz::buffer(13).get()); break;
    case 11: Dipsw_Read(xfuzz::buffer(9).get()); break;
    case 12: ProgVersion_Read(xfuzz::buffer(17).get()); break;
    case 13: OutputPort_Control(a(0)); break;
    case 14: {
      const std::uint32_t code = static_cast<std::uint32_t>(c.number(0));
      Connection_Model_Setup(c.arg(1) == nullptr ? nullptr : &code);
      break;
    }
    case 15: Card_Inst_End_Set(a(0), a(1), a(2), xfuzz::buffer(7).get()); break;
    case 16: Event_data_Set(a(0), xfuzz::buffer(XERV3_EVENT_DATA_SIZE).get()); break;
    case 17: Power_ON_OFF_Operation_Setup(a(0), a(1), a(2), xfuzz::buffer(4).get()); break;
    case 18: LED_Operation_setup(a(0), a(1), a(2), a(3), a(4), xfuzz::buffer(6).get()); break;
    case 19: BUZ_Operation_setup(a(0), a(1), a(2), a(3), a(4), xfuzz::buffer(6).get()); break;
    case 20:
      Comm_Control_Set(a(0), a(1), a(2), a(3), a(4), a(5), a(6), xfuzz::buffer(8).get());
      break;
    case 21:
      Comm_Format_Set(a(0), a(1), a(2), a(3), a(4), a(5), a(6), xfuzz::buffer(11).get());
      break;
    case 22: Read_Data_Send_Range_Set(a(0), a(1), a(2), xfuzz::buffer(6).get()); break;
    case 23: Write_Mode_Set(a(0), xfuzz::buffer(2).get()); break;
    case 24: Shutter_Control_Set(a(0), xfuzz::buffer(2).get()); break;
    case 25: RetryActionCountSet(a(0), xfuzz::buffer(2).get()); break;
    case 26: BuzzerVolumeSet(a(0), xfuzz::buffer(2).get()); break;
    case 27: LEDBuzzerOperationTimingSet(a(0), xfuzz::buffer(2).get()); break;
    case 28: IC_Card_Set(); break;
    case 29: IC_Card_Deactivation(); break;
    case 30: IC_Card_Activate(xfuzz::buffer(XERV_IC_REPLY_SIZE).get()); break;
    case 31: IC_Card_Activate_EMV(xfuzz::buffer(XERV_IC_REPLY_SIZE).get()); break;
    case 32:
    case 33: {
      const xfuzz::CountedData d = xfuzz::counted_data(c);
      if (c.which % 44 == 32) {
        IC_Card_DataSend(&d.count, a(2), d.bytes.get(), xfuzz::buffer(XERV_IC_REPLY_SIZE).get());
      } else {
        IC_Card_DataSend_EMV(&d.count, d.bytes.get(), xfuzz::buffer(XERV_IC_REPLY_SIZE).get());
      }
      break;
    }
    case 34: EE_Open(); break;
    case 35: EE_Close(); break;
    case 36: EE_Enable(); break;
    case 37: EE_Disable(); break;
    case 38: EE_Read(a(0), xfuzz::buffer(257).get()); break;
    case 39: EE_Write(a(0), a(1)); break;
    case 40: rs_CommFormat_Set(a(0), a(1), a(2), a(3), a(4), a(5), a(6)); break;
    case 41: rs_CommSettings(a(0), a(1), a(2), a(3)); break;
    case 42: xfuzz::poll_queries(); break;
    default: ProtocolChange(); break;
  }
  return 0;
}
