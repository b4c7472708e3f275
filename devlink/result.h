// Result codes that every export returns. Reader "NG" codes (1 to 999) pass through as numbers.
#pragma once

namespace devlink {

inline constexpr int kOk = 0;
inline constexpr int kNoPort = -1;        // no port open, or an I/O or thread failure
inline constexpr int kNullArg = 900;      // a required argument is null
inline constexpr int kBadLength = 901;    // an argument has the wrong length
inline constexpr int kBadValue = 902;     // an argument has a wrong or empty value
inline constexpr int kNakThrice = 903;    // the reader answered NAK to three attempts
inline constexpr int kTimeout = 904;      // no complete answer in time
inline constexpr int kWaitFailed = 905;   // waiting for the answer failed
inline constexpr int kDleAnswer = 907;    // XERV1: the reader answered DLE
inline constexpr int kMismatch = 908;     // XERV1: data-return check failed
inline constexpr int kUnknownReply = 909; // answer not recognised, or shorter than its data
inline constexpr int kPortBusy = 9000;    // rs_PortOpen: a port is already open
inline constexpr int kOpenFailedBase = 9000;  // rs_PortOpen: 9000 + error code

}  // namespace devlink
