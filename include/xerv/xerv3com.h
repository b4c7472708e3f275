/*
 * libxerv3com - the XERV3 reader library (two-letter commands, IC cards, EEPROM, reports).
 *
 * Link with -lxerv3com. The port functions and report queries are in <xerv/xerv_common.h>,
 * included here. Every command export follows the same rules:
 *   - without an open port it returns -1 and sends nothing;
 *   - its arguments are checked before anything is sent: 900 a required argument is null,
 *     901 wrong length, 902 wrong value;
 *   - otherwise it returns the transaction's result: 0 success; 1..999 the reader's "NG" code;
 *     903 NAK three times; 904 no complete answer within 3000 ms; -1 the frame could not be
 *     written (line error, device gone); 909 the answer's letters are not known, or the answer is
 *     shorter than the data its decoding copies (what arrived is still copied, NUL-terminated).
 *   - A report (card data, write result, event, error) that arrives while another command waits
 *     is stored and acknowledged, and the command goes on waiting for its own answer.
 * Output buffers must hold the reply length given with each export plus one (the NUL).
 */
#ifndef XERV_XERV3COM_H
#define XERV_XERV3COM_H

#include "xerv_common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Card commands -------------------------------------------------------------------- */

/*
 * Request codes and texts below are shown without framing; the frame format of
 * rs_CommFormat_Set wraps them. "S" stands for the separator character in force.
 * Results not listed with an export are the common ones above (-1, 1..999, 903, 904, 909).
 */

/*
 * MagCard_Read - ask the reader to read the next magnetic card. The card data arrives later as a
 * report: poll GetStatus for bit 1, then GetCard_Result and GetTrk1Data..GetTrk4Data.
 *   mode   one character. "C" and "F" read by track selection; other letters are the reader's
 *          own read modes.
 *   param  for "C"/"F": null or "" (sends "CR" mode) or three characters, one per track 1..3,
 *          whose low four bits become the tracks' request flags ("CR" mode param, e.g. "CRF101"
 *          asks for tracks 1 and 3). For any other mode: required, two characters ("CR" mode
 *          param, e.g. "CRA01").
 * The request flags are cleared first, whatever the result. Request code 1.
 * Results: 0 the reader accepted (ACK) or the card data came as the answer; 900 mode null, or
 * param null with a mode other than "C"/"F"; 901 mode not one character, param of the wrong
 * length.
 */
XERV_API int32_t MagCard_Read(const char *mode, const char *param);

/*
 * MagCard_Read_Eject_Position - MagCard_Read with an eject position for the modes other than
 * "C" and "F" (for those two, position is ignored).
 *   position  null or "" sends "CR" mode param; three characters send "CR" mode param position
 *             (e.g. "CRA01123").
 * Results: as MagCard_Read; also 901 a position that is neither empty nor three characters.
 */
XERV_API int32_t MagCard_Read_Eject_Position(const char *mode, const char *param,
                                             const char *position);

/*
 * MagCard_Write - write a magnetic card. The write result arrives later as a report: poll
 * GetStatus for bit 2, then GetCard_Result.
 *   mode      its first character is sent; "K" and "L" need a position and are refused (900)
 *             here: use MagCard_Write_Eject_Position.
 *   track1..track3  the track texts; which ones are sent depends on the connection model code
 *             (Connection_Model_Setup):
 *               0, 100   "CW" m track1             track1 required
 *               1, 101   "CW" m [track1] S [track2] S [track3]   each given, non-empty text
 *                        fills its field and sets its track's request flag; the others stay
 *                        empty
 *               2, 102   "CW" m track1 S S         track1 required
 *               3, 103   "CW" m S track2 S         track2 required
 *               4, 104   "CW" m S S track3         track3 required
 *               others   "CW" m                    the header alone
 *   reserved  not used.
 * The whole command text may hold at most 256 characters. The request flags are cleared once
 * the null checks have passed. Request code 3.
 * Results: 0 accepted; 900 mode null, all three tracks null, mode "K"/"L", or the required
 * track null; 902 mode empty, the required track empty, or a text longer than 256 characters
 * (nothing is sent).
 */
XERV_API int32_t MagCard_Write(const char *mode, const char *track1, const char *track2,
                               const char *track3, int32_t reserved);

/*
 * MagCard_Write_Eject_Position - MagCard_Write with an eject position.
 *   position  required (non-null) for modes "K" and "L". With "K" its first two characters
 *             follow the mode letter: "CW" "K" p1 p2 track fields. "L" sends no position
 *             characters; other modes ignore it.
 * Results: as MagCard_Write, where "K"/"L" with a null position give 900; also 902 mode "K"
 * with an empty position; 901 mode "K" with a one-character position.
 */
XERV_API int32_t MagCard_Write_Eject_Position(const char *mode, const char *track1,
                                              const char *track2, const char *track3,
                                              int32_t reserved, const char *position);

/*
 * Eject_Card - eject the card. Sends "PE" how, request code 10.
 *   how  two characters: "F0", "F1", "R0", "R1", or "S" followed by any character from '0'
 *        upwards in character-code order (e.g. "S9").
 * Results: 0; 900 how null; 901 not two characters; 902 any other pair.
 */
XERV_API int32_t Eject_Card(const char *how);

/*
 * Write_Mode_Selection - choose the write mode. Sends "PM" mode, request code 16.
 *   mode  "0", "1" or "2".
 * Results: 0; 900 null; 901 not one character; 902 another character.
 */
XERV_API int32_t Write_Mode_Selection(const char *mode);

/* Op_Prohibition - sends "PP" (request code 11). Results: the common ones. */
XERV_API int32_t Op_Prohibition(void);

/* Reset_Device - sends "PR" (request code 12). Results: the common ones. */
XERV_API int32_t Reset_Device(void);

/*
 * ProtocolChange - sends "PR1" (request code 12): the reader switches to the XERV1 protocol;
 * go on with libxerv1. Results: the common ones.
 */
XERV_API int32_t ProtocolChange(void);

/*
 * StatusCheck - the reader's status. Sends "PS" kind, request code 13.
 *   kind  "C" or "I".
 *   out   13 bytes: a "PS" answer's characters R3..R14 (12) and a NUL. Null: not copied.
 * Results: 0; 900 kind null; 901 not one character; 902 another character; 909 also when the
 * answer is short (what came is copied).
 */
XERV_API int32_t StatusCheck(const char *kind, char *out);

/*
 * Cleaning_Card - run a cleaning card. Sends "PW" and the first character of how, request code
 * 19; the rest of how is not looked at.
 * Results: 0; 900 how null; 902 how empty.
 */
XERV_API int32_t Cleaning_Card(const char *how);

/*
 * Test_Cmd - run a reader test. Sends "PT" and the first character of test, or "PT" alone when
 * test is null or empty; request code 18.
 *   out  13 bytes. A "PT" answer whose R2 is '0' copies R4..R11 (8 characters), any other copies
 *        R3..R14 (12), each followed by a NUL. Null: not copied.
 * Results: the common ones; 909 also when the answer is short (what came is copied).
 */
XERV_API int32_t Test_Cmd(const char *test, char *out);

/*
 * Dipsw_Read - the reader's DIP switches. Sends "PT0", request code 18.
 *   out  9 bytes: R4..R11 of the "PT" answer (8 characters) and a NUL. Null: not copied.
 * Results: the common ones; 909 also when the answer is short.
 */
XERV_API int32_t Dipsw_Read(char *out);

/*
 * ProgVersion_Read - the reader's program version. Sends "VR", request code 36.
 *   out  17 bytes: R2..R17 of the "VR" answer (16 characters) and a NUL. Null: not copied.
 * Results: the common ones; 909 also when the answer is short.
 */
XERV_API int32_t ProgVersion_Read(char *out);

/*
 * OutputPort_Control - set the reader's output ports. Sends "PO" bits, request code 15.
 *   bits  six characters, each "0" or "1" (e.g. "010110").
 * Results: 0; 900 null; 901 not six characters; 902 another character.
 */
XERV_API int32_t OutputPort_Control(const char *bits);

/*
 * Connection_Model_Setup - tell the library which reader variant is connected, so that card data
 * and write results are split into the right tracks, then query the reader with "ST"
 * (request code 25).
 *   code  points to the connection model code. It sets the track slots: 0/100 JIS II track only
 *         (and separator mode 2), 2/102 track 1, 3/103 track 2, 4/104 track 3, 5 tracks 1 and 2,
 *         6 tracks 2 and 3, 7/105 tracks 1 to 3 and JIS II, 101 and 201..204 tracks 1 to 3; any
 *         other code, 1 included, sets no track.
 * The track slots are reset first, also when code is null; the code and its slots stay set
 * whatever the reader answers. The "ST" answer's four characters R2..R5 are kept in the library.
 * Results: 0; 900 code null; the common ones for the "ST" query.
 */
XERV_API int32_t Connection_Model_Setup(const uint32_t *code);

/* ---- Settings commands ---------------------------------------------------------------- */

/* ---- IC card and EEPROM commands ------------------------------------------------------ */

/*
 * IC card replies. IC_Card_Activate, IC_Card_Activate_EMV, IC_Card_DataSend and
 * IC_Card_DataSend_EMV copy the card's answer block ("ID" or "IP" reply) into out: two count
 * bytes N, high byte first, then N binary bytes, then a NUL. The data may hold any byte value,
 * zero bytes too: read N from out[0] and out[1], never use the NUL to find the end.
 * Allocate XERV_IC_REPLY_SIZE (291) bytes for out: at most 288 data bytes are copied, whatever
 * the count says. (A frame holds at most 404 bytes, so a reader could announce and send up to 400
 * data bytes; such a block is cut at 288.) Results beyond the common ones:
 *     0  the whole block was copied
 *   909  the block was cut short: fewer than N bytes arrived, or N is above 288. The count bytes
 *        and the bytes that did arrive (at most 288) are in out, NUL-terminated; N still says
 *        what the reader announced.
 * A null out is accepted: the command is sent and its answer is dropped.
 */
#define XERV_IC_REPLY_SIZE 291

/* IC_Card_Set - prepare the reader for IC use. Sends "IU". Results: the common ones. */
XERV_API int32_t IC_Card_Set(void);

/* IC_Card_Deactivation - power the IC card down. Sends "IE". Results: the common ones. */
XERV_API int32_t IC_Card_Deactivation(void);

/*
 * IC_Card_Activate, IC_Card_Activate_EMV - power the IC card up (plain, or by the EMV rules) and
 * copy its answer block into out (see IC card replies). Send "IN" or "IS".
 */
XERV_API int32_t IC_Card_Activate(char *out);
XERV_API int32_t IC_Card_Activate_EMV(char *out);

/*
 * IC_Card_DataSend - send a data block to the IC card and copy its answer block into out.
 *   length  the block length L, 1 to 288: the first byte and L-1 data bytes
 *   first   its first byte is the block's first byte
 *   data    the other L-1 bytes (binary; zero bytes are data); may be null when L is 1
 * Sends "IP", L as two bytes (high byte first), first[0], then data[0] .. data[L-2].
 * Results beyond the common ones and those of IC card replies: 900 length or first is null, or
 * data is null with L above 1; 902 L is 0, negative or above 288. Nothing is sent then.
 */
XERV_API int32_t IC_Card_DataSend(const int32_t *length, const char *first, const char *data,
                                  char *out);

/*
 * IC_Card_DataSend_EMV - send an EMV data block to the IC card and copy its answer block into out.
 *   length  the block length L, 0 to 288
 *   data    L bytes (binary; zero bytes are data); may be null when L is 0
 * Sends "IC", L as two bytes (high byte first), then data[0] .. data[L-1]; with L 0 the two
 * length bytes alone.
 * Results beyond the common ones and those of IC card replies: 900 length is null, or data is
 * null with L above 0; 902 L is negative or above 288. Nothing is sent then.
 */
XERV_API int32_t IC_Card_DataSend_EMV(const int32_t *length, const char *data, char *out);

/*
 * The EEPROM: 8 rows of 16 bytes, read and written as upper-case hexadecimal text, two
 * characters per byte. An address is two characters: a row '0'..'7' followed by a column
 * '0'..'9' or 'A'..'F' (one byte), a row followed by '*' (the whole row), or "**" (the whole
 * EEPROM, reading only). A host opens the EEPROM with EE_Open before reading or writing it and
 * closes it with EE_Close afterwards; the library keeps no EEPROM state and sends each command
 * when called, and what the reader allows in which state is the reader's own.
 */

/*
 * EE_Open - open EEPROM access. Sends "EO" and this library's six-letter access code.
 * EE_Close - end EEPROM access. Sends "EC".
 * EE_Enable, EE_Disable - allow or forbid EEPROM access. Send "EE", "ED".
 * Results: the common ones.
 */
XERV_API int32_t EE_Open(void);
XERV_API int32_t EE_Close(void);
XERV_API int32_t EE_Enable(void);
XERV_API int32_t EE_Disable(void);

/*
 * EE_Read - read one byte, one row or the whole EEPROM.
 *   address  see above, e.g. "3A" (byte), "3*" (row), "**" (all)
 *   out      receives the data as hexadecimal text and a NUL: 2 characters for a byte, 32 for a
 *            row, 256 for the whole EEPROM; allocate 3, 33 or 257 bytes
 * Sends "ER" + address. The reader's "ER" reply echoes the address; the data follows it.
 * Results beyond the common ones: 900 address or out is null; 902 any other address (wrong
 * length, a row above '7', a column outside '0'..'9' and 'A'..'F', '*' as row of a byte);
 * 909 the reply held fewer characters than asked for (those that came are in out).
 * A whole-EEPROM reply that arrives while no command waits is kept by the library, not handed
 * to this function.
 */
XERV_API int32_t EE_Read(const char *address, char *out);

/*
 * EE_Write - write one byte or one row.
 *   address  a byte ("3A") or a row ("3*"); "**" is refused
 *   data     exactly 2 (byte) or 32 (row) characters of '0'..'9' and 'A'..'F'
 * Sends "EW" + address + data, e.g. "EW3A0F".
 * Results beyond the common ones: 900 address or data is null; 902 any other address or data,
 * a wrong data length or lower-case digits included. Nothing is sent then.
 */
XERV_API int32_t EE_Write(const char *address, const char *data);

#ifdef __cplusplus
}
#endif

#endif /* XERV_XERV3COM_H */
