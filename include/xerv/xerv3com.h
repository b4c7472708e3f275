/*
 * libxerv3com - the XERV3 reader library (two-letter commands, IC cards, EEPROM, reports).
 *
 * Link with -lxerv3com. The port functions and report queries are in <xerv/xerv_common.h>,
 * included here. Every command export follows the same rules:
 *   - without an open port it returns -1 and sends nothing;
 *   - its arguments are checked before anything is sent: 900 a required argument is null,
 *     901 wrong length, 902 wrong value;
 *   - otherwise it returns the transaction's result: 0 success (ACK, DLE, or an answer decoded);
 *     1..999 the reader's "NG" code; 903 NAK three times; 904 no complete answer within
 *     3000 ms; -1 the frame could not be written (line error, device gone); 909 the answer's
 *     letters are not known, a single byte other than ACK, NAK or DLE, an "NG" without its three
 *     digits, or an answer shorter than the data its decoding copies (what arrived is still
 *     copied, NUL-terminated), or an answer whose data would not fit the export's buffer (another
 *     command's answer: nothing is copied).
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
 * An answer is copied by its letters, so a reader that answers with another command's reply has
 * it copied only when it fits the buffer size given with the export; one that does not fit gives
 * 909 and leaves out unchanged. "SI" and "SQ" answers give 909. Outputs may be null: the answer is
 * then checked and nothing is copied.
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
 *         other code, 1 included, names no physical track (a field then takes up to 110
 *         characters). Card data is split by the code's layout: 0/100 one field; 2..4/102..104
 *         one track; 5, 6; 7/105 four fields; 1, 101, 300, 400 three fields; other codes
 *         (201..204 among them) are not split, and every track's result is -1.
 * The track slots are reset first, also when code is null; the code and its slots stay set
 * whatever the reader answers. The "ST" answer's four characters R2..R5 are kept in the library.
 * Results: 0; 900 code null; the common ones for the "ST" query.
 */
XERV_API int32_t Connection_Model_Setup(const uint32_t *code);

/* ---- Settings commands ---------------------------------------------------------------- */

/*
 * Each reader setting has one export: it sends the query form (the two letters alone) when all
 * its value arguments are null or all are empty strings, and the set form (the letters and the
 * new values) otherwise. Pass either all values or none: a set form that lacks a value it sends
 * is refused, never read (900 the value is null; 902 a one-character value is empty; 901 a
 * two-character value is shorter than two characters).
 *
 * The reader answers either form with ACK (nothing is copied, result 0) or with the setting's
 * letters and its values, which are copied into out followed by a NUL. out must hold the size
 * given with each export, for the set form too (a reader may answer it with the values): the
 * longest answer the export copies and its NUL. out may be null, and then nothing is copied.
 * Where a setting's mode leaves its last values out, the answer without them is complete as well
 * (Card_Inst_End_Set, Comm_Format_Set). A refusal ("NG" code) leaves
 * out unchanged. The letters of the answer decide how it is copied: "SD" is copied like "SR" (7
 * characters) and "SF" like "SM" (1 character). An answer whose values do not fit the buffer size
 * given with the export (another setting's answer) gives 909 and leaves out unchanged; an answer
 * shorter than its values gives 909 with what came copied. "SI" and "SQ" answers give 909.
 * Results of every export here: 0; the argument errors listed with it (nothing is sent); -1 no
 * port open; 1..999 the reader's "NG" code; 903, 904, 909 as above.
 */

/*
 * Card_Inst_End_Set - card-insertion end handling. Request code 22.
 *   p1   "F" or "R".
 *   p2   "F1" or "R1", optionally followed by a three-character p3; or "F0", "R0", "S0" with p3
 *        null or "".
 *   out  7 bytes (the longest answer and a NUL): the 6 characters after "SH", or 3 when the
 *        answer ends after them (a mode without its third value: "SHFF0", "SHRS0"), and a NUL.
 *        Any other number of characters gives 909, with what came copied.
 * Sends "SH" (query) or "SH" p1 p2 [p3], e.g. "SHFF1030", "SHRS0".
 * Results: 900 p1 or p2 null; 901 p1 not one character, p2 not two, p3 not three characters
 * (with F1/R1) or not empty (with F0/R0/S0); 902 p1 not F/R, p2 another pair.
 */
XERV_API int32_t Card_Inst_End_Set(const char *p1, const char *p2, const char *p3, char *out);

/*
 * XERV3_EVENT_DATA_SIZE - the buffer Event_data_Set needs: the longest event data a received
 * frame can carry (402 characters) and a NUL.
 */
#define XERV3_EVENT_DATA_SIZE 403

/*
 * Event_data_Set - event data. Request code 23.
 *   p1   null or "" to query; else its first character, "0" to "9", ":", ";", "<", "=", ">",
 *        "?", "@" or "A" to "E" (the characters from '0' to 'E'); the rest of p1 is not sent.
 *   out  XERV3_EVENT_DATA_SIZE bytes: every character after "SE" in the answer, as many as came
 *        (none for a bare "SE"), and a NUL. No more than that is ever written.
 * Sends "SE" (query) or "SE" p1[0], e.g. "SEE".
 * Results: 902 p1's first character outside '0'..'E'.
 */
XERV_API int32_t Event_data_Set(const char *p1, char *out);

/*
 * Power_ON_OFF_Operation_Setup - power on/off operation. Request code 24.
 *   p1   first character "0" or "1"; p2 "F" or "R"; p3 "0", "F" or "R" (the rest is not sent).
 *   out  4 bytes: the 3 characters after "SP" and a NUL.
 * Sends "SP" (query) or "SP" p1[0] p2[0] p3[0], e.g. "SP1F0".
 * Results: 900 a value null; 902 a value empty or its first character not allowed.
 */
XERV_API int32_t Power_ON_OFF_Operation_Setup(const char *p1, const char *p2, const char *p3,
                                              char *out);

/*
 * LED_Operation_setup, BUZ_Operation_setup - LED and buzzer operation. Request codes 27 and 28.
 *   p1..p5  one character each; the reader decides what each value means.
 *   out     6 bytes: the 5 characters after "SL" / "SB" and a NUL.
 * Sends "SL" / "SB" (query) or the letters and the five characters, e.g. "SL01020".
 * Results: 900 a value null; 901 a value not one character.
 */
XERV_API int32_t LED_Operation_setup(const char *p1, const char *p2, const char *p3,
                                     const char *p4, const char *p5, char *out);
XERV_API int32_t BUZ_Operation_setup(const char *p1, const char *p2, const char *p3,
                                     const char *p4, const char *p5, char *out);

/*
 * Comm_Control_Set - the reader's own communication control. Request code 29.
 *   p1..p7  the first character of each is sent; the reader decides what each means.
 *   out     8 bytes: the 7 characters after "SR" (or "SD") and a NUL.
 * Sends "SR" (query) or "SR" p1[0] .. p7[0], e.g. "SR1100000".
 * Results: 900 a value null; 902 a value empty.
 */
XERV_API int32_t Comm_Control_Set(const char *p1, const char *p2, const char *p3, const char *p4,
                                  const char *p5, const char *p6, const char *p7, char *out);

/*
 * Comm_Format_Set - the reader's own frame format. Request code 30.
 *   p1..p4  the first character of each is sent.
 *   p5..p7  two characters each (the user start, end and separator codes), sent only when
 *           p1[0] is '2', p2[0] is '5' or p4[0] is '1'; otherwise not looked at.
 *   out     11 bytes (the longest answer and a NUL): the 10 characters after "SN", or the 4
 *           mode characters alone when the answer ends after them and its modes call for no
 *           user codes (first not '2', second not '5', fourth not '1'), and a NUL.
 * Sends "SN" (query), "SN" p1[0] p2[0] p3[0] p4[0] (e.g. "SN1410"), or that followed by
 * p5[0] p5[1] p6[0] p6[1] p7[0] p7[1] (e.g. "SN1411020304").
 * Results: 900 a value that is sent is null; 902 one of p1..p4 empty; 901 one of p5..p7 shorter
 * than two characters when they are sent.
 */
XERV_API int32_t Comm_Format_Set(const char *p1, const char *p2, const char *p3, const char *p4,
                                 const char *p5, const char *p6, const char *p7, char *out);

/*
 * Read_Data_Send_Range_Set - which part of the read data the reader sends. Request code 31.
 * There is no query form: p1 is always required.
 *   p1      its first character is sent.
 *   p2, p3  two characters each, both sent when either is given and not empty; both null or
 *           empty send p1 alone.
 *   out     6 bytes: the 5 characters after "SJ" and a NUL.
 * Sends "SJ" p1[0] (e.g. "SJ1") or "SJ" p1[0] p2[0] p2[1] p3[0] p3[1] (e.g. "SJ10140").
 * Results: 900 p1 null, or p2/p3 null when the other is given; 901 p1 empty, or p2/p3 shorter
 * than two characters when they are sent.
 */
XERV_API int32_t Read_Data_Send_Range_Set(const char *p1, const char *p2, const char *p3,
                                          char *out);

/*
 * The single-value settings. p1 null or "" sends the query (the letters alone); otherwise the
 * letters and p1's first character (the rest of p1 is not sent, nothing is checked).
 *   out  2 bytes: the 1 character after the letters and a NUL.
 * Write_Mode_Set               "SM" [p1[0]], request code 33 (an "SF" answer is copied too)
 * Shutter_Control_Set          "SS" [p1[0]], request code 34
 * RetryActionCountSet          "SY" [p1[0]], request code 37
 * BuzzerVolumeSet              "SV" [p1[0]], request code 38
 * LEDBuzzerOperationTimingSet  "SG" [p1[0]], request code 39
 * Results: the common ones; no argument errors.
 */
XERV_API int32_t Write_Mode_Set(const char *p1, char *out);
XERV_API int32_t Shutter_Control_Set(const char *p1, char *out);
XERV_API int32_t RetryActionCountSet(const char *p1, char *out);
XERV_API int32_t BuzzerVolumeSet(const char *p1, char *out);
XERV_API int32_t LEDBuzzerOperationTimingSet(const char *p1, char *out);

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
 *        what the reader announced. Also when the answer is EEPROM data, not an IC block (out
 *        is then left as it was).
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
 *   first   its first byte is the block's first byte (an empty string gives a zero byte)
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
 * 909 the reply held fewer characters than asked for (those that came are in out), or the
 * answer was an IC block, not EEPROM data (out is then left as it was).
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
