/*
 * Port functions and report queries shared by both reader libraries (libxerv3com, libxerv1).
 * Include <xerv/xerv3com.h> or <xerv/xerv1.h>, not this file. A program links one library.
 *
 * Every function returns a 32-bit signed result. Common results:
 *     0      success
 *    -1      no port open (nothing is done), or an I/O or thread failure
 *   900      a required argument is null
 *   901      an argument has the wrong length
 *   902      an argument has a wrong value
 * Strings are NUL-terminated ASCII. Output buffers belong to the caller.
 *
 * Thread use: the functions may be called from any thread. Opening, closing, line settings and
 * commands run one at a time (a second caller waits for the first); the queries never wait for a
 * command. The library answers unsolicited reports on a thread of its own.
 *
 * How the link behaves:
 *  - An answer is complete after 100 ms of line silence (no frame carries a length), so every
 *    command takes at least that long.
 *  - A command is sent up to three times while the reader answers NAK (then 903); each attempt
 *    waits for its answer up to the library's time-out (3000 ms libxerv3com, 1000 ms libxerv1;
 *    then 904). An answer that arrives after its attempt timed out is treated as unasked and is
 *    never taken as the answer of a later command.
 *  - The receive buffer holds 404 bytes; bytes beyond it are dropped and that frame fails its
 *    check. A frame that fails its check (start code, end code, block check) while a command
 *    waits makes the command end with 904; with no command waiting it is discarded, so that the
 *    reports after it still arrive.
 *  - A write that fails, or does not finish within 500 ms plus twice the bytes' time on the
 *    line, ends the command with -1. The acknowledgement of a report and a command frame are
 *    never written into each other.
 *  - When the device hangs up (an unplugged adapter, a closed pseudo-terminal), the library stops
 *    reading without spinning; a waiting command ends with -1 at once and later commands give -1
 *    until the port is closed and opened again.
 */
#ifndef XERV_COMMON_H
#define XERV_COMMON_H

#include <stdint.h>

#if defined(__GNUC__)
#define XERV_API __attribute__((visibility("default")))
#else
#define XERV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Port ------------------------------------------------------------------------------- */

/*
 * rs_PortOpen - open the reader's port COM<port>.
 *   port  one to three decimal digits, e.g. "1", "12", "123".
 * The device is $XERV_COM_DIR/COM<n> when XERV_COM_DIR is set; else /dev/xerv/COM<n> when it
 * exists (a udev rule with SYMLINK+="xerv/COM3" puts a USB adapter there); else /dev/ttyS<n-1>.
 * The port is opened exclusively and set to 9600 baud, even parity, one stop bit, 8 data bits
 * (libxerv3com) or 7 (libxerv1), raw; DTR and RTS are raised. The frame format becomes STX, ETX,
 * binary BCC, separator US; the card store, the status bits and the report lists are cleared (the
 * connection model code is kept, its track slots are cleared).
 * Results:
 *      0  opened
 *    900  port is null
 *    901  port is empty or longer than three characters
 *    902  port holds a character other than a digit
 *   9000  a port is already open through this library file, in this or another process
 *         (the lock lives in $XDG_RUNTIME_DIR, else /tmp, and dies with its holder)
 *   9002  no such device (ENOENT, ENODEV, ENXIO, ENOTDIR, ELOOP, ENAMETOOLONG; also port 0 with
 *         no port folder)
 *   9004  too many open files (EMFILE, ENFILE)
 *   9005  permission denied or the device is held by another program (EACCES, EPERM, EBUSY,
 *         EROFS, a failed exclusive lock)
 *   9008  out of memory (ENOMEM)
 *   9087  invalid parameter (EINVAL)
 *   9031  any other open failure
 *     -1  the device is not a serial line or refused its settings, or the library's threads
 *         could not start
 *
 * Wire trace (docs/trace.md): the environment variable XERV_TRACE is read once by each call,
 * after the argument checks and the 9000 check and before the device is opened. When it names
 * a file (appended to, created with mode 0600: it holds card data), or is "-" for standard
 * error, the library writes one line per frame and control byte in both directions until
 * rs_PortClose, in the format of `xerv-sim --trace`:
 *        12.345 host>rdr  02 43 52 43 03 51  |<STX>CRC<ETX>Q|
 * seconds.milliseconds on the monotonic clock since the open, the direction (host>rdr written,
 * rdr>host received), the bytes in hex, and as text between bars with control characters named
 * and other unprintable bytes as '.'. Sent bytes: a line per write. Received bytes: a line per
 * frame or control byte, as the library takes them after 100 ms of silence, stamped with the
 * time of their last byte. Lines starting with "--" are the library's own notes (open, close, a
 * failed write). Lines of different threads never mix. Unset or empty, nothing is written; a
 * file that cannot be opened leaves the trace off (one line on standard error says why) and
 * never changes a result. Setting the variable while a port is open takes effect at the next
 * rs_PortOpen.
 */
XERV_API int32_t rs_PortOpen(const char *port);

/*
 * rs_PortClose - drop DTR, discard what is queued and close the port. The library's threads are
 * stopped and joined before it returns; it returns promptly also after the device hung up.
 * Unloading the library with a port open closes it the same way.
 * Results: 0 closed; -1 no port open.
 */
XERV_API int32_t rs_PortClose(void);

/*
 * rs_CommSettings - PC-side line settings, one character each:
 *   baud       "0" 4800, "1" 9600, "2" 19200, "3" 38400
 *   data_bits  "0" 7, "1" 8
 *   parity     "0" none, "1" even, "2" odd
 *   stop_bits  "0" one, "1" two
 * The arguments are checked in this order; the first failing one decides the result, and the
 * values accepted before it are kept but not applied.
 * Results: 0 applied; -1 no port open or the driver refused; 900 null; 901 not one character;
 * 902 a character outside its list.
 */
XERV_API int32_t rs_CommSettings(const char *baud, const char *data_bits, const char *parity,
                                 const char *stop_bits);

/*
 * rs_CommFormat_Set - PC-side frame format, for the next frame sent and every frame received.
 *   start_mode      first character's low four bits: 0 none, 2 the user start code, other STX
 *   end_mode        0 none, 1 CR, 2 LF, 3 CR LF, 4 ETX, 5 the user end code; above 5: ETX
 *                   (taken as 4)
 *   bcc_mode        1 one binary byte, 2 two upper-case hex digits and CR, other none
 *   separator_mode  0 and 2 US (1Fh), 1 and 3 the user separator; 2 and 3 also change how card
 *                   data is split into tracks
 *   user_start, user_end, user_separator  two upper-case hexadecimal digits each, e.g. "1B"
 * All seven arguments are checked before anything changes.
 * Results: 0 set; -1 no port open; 900 an argument is null; 901 an empty mode or a user
 * character that is not two characters; 902 a user character that is not upper-case hex.
 */
XERV_API int32_t rs_CommFormat_Set(const char *start_mode, const char *end_mode,
                                   const char *bcc_mode, const char *separator_mode,
                                   const char *user_start, const char *user_end,
                                   const char *user_separator);

/*
 * rs_GetCtsSignal, rs_GetDsrSignal - read a modem line.
 * Results: 1 on; 0 off (a pseudo-terminal has no modem lines: always 0); -1 no port open.
 */
XERV_API int32_t rs_GetCtsSignal(void);
XERV_API int32_t rs_GetDsrSignal(void);

/*
 * rs_SetRTS, rs_ClrRTS - raise or drop RTS.
 * Results: 0 done (also on a pseudo-terminal, which has no line to drive); -1 no port open;
 * otherwise the driver refused, with the code of the rs_PortOpen table without the 9000
 * (87 invalid parameter, 1117 I/O error, 31 other).
 */
XERV_API int32_t rs_SetRTS(void);
XERV_API int32_t rs_ClrRTS(void);

/* ---- Reports -------------------------------------------------------------------------- */

/*
 * GetStatus - the report status bits: 1 card data arrived, 2 a write result arrived, 4 an event
 * was stored, 8 an error was stored.
 * Results: 0; -1 no port open; 900 status is null.
 */
XERV_API int32_t GetStatus(int32_t *status);

/*
 * GetEvent_Status, GetError_Status - the three slots of the event (or error) list in arrival
 * order (0 = empty); a report that found all three full was dropped. The slots and status bit 4
 * (or 8) are then cleared. libxerv3com first waits until no frame is being received, at most
 * 500 ms.
 * Results: 0; -1 no port open; 900 an output is null.
 */
XERV_API int32_t GetEvent_Status(int32_t *e1, int32_t *e2, int32_t *e3);
XERV_API int32_t GetError_Status(int32_t *e1, int32_t *e2, int32_t *e3);

/*
 * GetCard_Result - per-track results r1..r4 of the last card-data or write-result report
 * (-1 track not in the report, 0 good, 1..8 the reader's error digit) and the data lengths l1..l4.
 * Afterwards the results read 0, the request flags are cleared and status bits 1 and 2 are
 * cleared; the lengths stay for the track getters.
 * Results: 0; -1 no port open; 900 an output is null.
 */
XERV_API int32_t GetCard_Result(int32_t *r1, int32_t *r2, int32_t *r3, int32_t *r4, int32_t *l1,
                                int32_t *l2, int32_t *l3, int32_t *l4);

/*
 * GetTrk1Data .. GetTrk4Data - a track's data: its length, and the data with a terminating NUL
 * in buffer, which must hold the length plus one (at most 111 bytes). The track's length and data
 * are then cleared, so a second call gives length 0 and an empty string.
 * Results: 0; -1 no port open; 900 an output is null.
 */
XERV_API int32_t GetTrk1Data(int32_t *length, char *buffer);
XERV_API int32_t GetTrk2Data(int32_t *length, char *buffer);
XERV_API int32_t GetTrk3Data(int32_t *length, char *buffer);
XERV_API int32_t GetTrk4Data(int32_t *length, char *buffer);

#ifdef __cplusplus
}
#endif

#endif /* XERV_COMMON_H */
