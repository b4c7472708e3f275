// The port functions and report queries, exported the same way by both libraries.
#include <sys/ioctl.h>

#include "device.h"
#include "xerv/xerv_common.h"

using devlink::this_device;

extern "C" {

int32_t rs_PortOpen(const char* port) { return this_device().port_open(port); }
int32_t rs_PortClose(void) { return this_device().port_close(); }

int32_t rs_CommSettings(const char* baud, const char* data_bits, const char* parity,
                        const char* stop_bits) {
  return this_device().comm_settings(baud, data_bits, parity, stop_bits);
}

int32_t rs_CommFormat_Set(const char* start_mode, const char* end_mode, const char* bcc_mode,
                          const char* separator_mode, const char* user_start,
                          const char* user_end, const char* user_separator) {
  return this_device().comm_format(start_mode, end_mode, bcc_mode, separator_mode, user_start,
                                   user_end, user_separator);
}

int32_t rs_GetCtsSignal(void) { return this_device().modem_line(TIOCM_CTS); }
int32_t rs_GetDsrSignal(void) { return this_device().modem_line(TIOCM_DSR); }
int32_t rs_SetRTS(void) { return this_device().drive_rts(true); }
int32_t rs_ClrRTS(void) { return this_device().drive_rts(false); }

int32_t GetStatus(int32_t* status) { return this_device().get_status(status); }
int32_t GetEvent_Status(int32_t* e1, int32_t* e2, int32_t* e3) {
  return this_device().get_reports(false, e1, e2, e3);
}
int32_t GetError_Status(int32_t* e1, int32_t* e2, int32_t* e3) {
  return this_device().get_reports(true, e1, e2, e3);
}

int32_t GetCard_Result(int32_t* r1, int32_t* r2, int32_t* r3, int32_t* r4, int32_t* l1,
                       int32_t* l2, int32_t* l3, int32_t* l4) {
  int32_t* const results[4] = {r1, r2, r3, r4};
  int32_t* const lengths[4] = {l1, l2, l3, l4};
  return this_device().get_card_result(results, lengths);
}

int32_t GetTrk1Data(int32_t* length, char* buffer) { return this_device().get_track(1, length, buffer); }
int32_t GetTrk2Data(int32_t* length, char* buffer) { return this_device().get_track(2, length, buffer); }
int32_t GetTrk3Data(int32_t* length, char* buffer) { return this_device().get_track(3, length, buffer); }
int32_t GetTrk4Data(int32_t* length, char* buffer) { return this_device().get_track(4, length, buffer); }

}  // extern "C"
