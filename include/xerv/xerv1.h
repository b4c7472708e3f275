/*
 * libxerv1 - the XERV1 reader library (single-character commands, magnetic cards, EEPROM).
 *
 * Link with -lxerv1. The port functions and report queries are in <xerv/xerv_common.h>,
 * included here. Every command export follows the same rules:
 *   - without an open port it returns -1 and sends nothing;
 *   - its arguments are checked before anything is sent: 900 a required argument is null,
 *     901 wrong length, 902 wrong value;
 *   - otherwise it returns the transaction's result: 0 success (ACK, or an answer decoded);
 *     903 NAK three times; 904 no complete answer within 1000 ms; 907 the reader answered DLE;
 *     -1 the frame could not be written (line error, device gone); 909 the answer's letter is
 *     not known, or the answer is shorter than the data its decoding copies (what arrived is
 *     still copied, NUL-terminated). The XERV1 reader sends no "NG" codes.
 *   - A card-data or write-result report that arrives while another command waits is stored and
 *     acknowledged, and the command goes on waiting for its own answer.
 * Commands are shown below without framing; the frame format of rs_CommFormat_Set wraps them.
 * "S" stands for the separator character in force.
 *
 * Answers. The reader answers with ACK, NAK, DLE, or a reply letter followed by data characters
 * R1, R2, ... An answer is decoded by its letter, whichever command it answers:
 *   "A", "B"  card data, stored for GetCard_Result and GetTrk1Data..GetTrk4Data (result 0)
 *   "C", "D"  a write result, stored for GetCard_Result (result 0)
 *   "J"       the data-return check (see DataReturn): 0, or 908
 *   "M"       R1..R3 (3 characters)
 *   "e"       R1..R3 (3 characters)
 *   "j"       R1..R4 (4 characters); R1..R3 are also kept as the track information
 *   "b", "c", "h", "o"  R1 (1 character)
 *   "g"       R1..R7 (7 characters)
 *   "f"       R1..R10 (10 characters)
 *   "k"       R1 '0': R3..R10 (8 characters); any other R1: R2..R13 (12 characters)
 *   "VR"      R2..R17 (16 characters)
 *   "s"       EEPROM data after the echoed address (see EE_Read)
 * Copied characters are followed by a NUL in out. Each export gives the library the size of its
 * buffer (listed with it); an answer whose characters and NUL would not fit that size gives 909
 * and leaves out unchanged, so a reader that answers with another command's reply never writes
 * past the buffer. Outputs may be null where the export says so: the answer is then checked and
 * nothing is copied.
 */
#ifndef XERV_XERV1_H
#define XERV_XERV1_H

#include "xerv_common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Card commands -------------------------------------------------------------------- */

/*
 * MagCard_Read - ask the reader to read the next magnetic card. The card data arrives later as
 * an "A" or "B" report (or as the answer itself): poll GetStatus for bit 1, then GetCard_Result
 * and GetTrk1Data..GetTrk4Data. Sends "1" [+ selection], request code 1.
 *   selection  the tracks to read; null or "" sends "1" alone. Otherwise the connection model
 *              code (Connection_Model_Setup) decides what is allowed:
 *                0, 2, 7, 9   "1"   sends "11"; track 1's request flag becomes 1
 *                3, 10        "2"   sends "12"; track 2's request flag becomes 2
 *                4, 11        "3"   sends "13"; track 3's request flag becomes 3
 *                1, 8         one to three of "1", "2", "3" in rising order ("1", "12", "13",
 *                             "123", ...): sends "1" + selection, and each named track's flag
 *                             becomes its own number ("113" sets tracks 1 and 3 to 1 and 3)
 *                5, 6, >11    anything: sends "1" alone
 * The four request flags are cleared first, whatever the result.
 * Results: 0 the reader accepted (ACK) or the card data came as the answer; 901 a selection of
 * the wrong length (codes 1 and 8: longer than three characters; the single-track codes: not one
 * character); 902 a wrong character or combination ("21", "11", "4", "2" under code 0).
 */
XERV_API int32_t MagCard_Read(const char *selection);

/*
 * MagCard_Read_Hold_Position - MagCard_Read that keeps the card at the hold position. Sends "2"
 * [+ selection], request code 1, with the same selection rules and results.
 */
XERV_API int32_t MagCard_Read_Hold_Position(const char *selection);

/*
 * MagCard_Write - write a magnetic card. The write result arrives later as a "C" or "D" report
 * (or as the answer itself): poll GetStatus for bit 2, then GetCard_Result. Request code 3.
 *   track1..track3  the track texts; at least one must be non-null. Which are sent depends on the
 *             connection model code:
 *               0, 100, 102  "3" track1      track1 required
 *               103          "3" track2      track2 required
 *               104          "3" track3      track3 required
 *               101          "3" [track1] S [track2] S [track3]   each given, non-empty text
 *                            fills its field and sets its track's request flag to 1; the others
 *                            stay empty
 *               others       "3"             no track data (codes 1 to 4 included)
 * The whole command text holds at most 256 characters. The request flags are cleared once the
 * null check has passed.
 * Results: 0 accepted; 900 all three tracks null, or the required track null; 902 the required
 * track empty, or a text longer than 256 characters (nothing is sent).
 */
XERV_API int32_t MagCard_Write(const char *track1, const char *track2, const char *track3);

/*
 * MagCard_Write_Hold_Position - MagCard_Write that keeps the card at the hold position. Sends
 * "4" + the same track fields, request code 3, with the same results.
 */
XERV_API int32_t MagCard_Write_Hold_Position(const char *track1, const char *track2,
                                             const char *track3);

/*
 * MagCard_NTT_Write, MagCard_NTT8_Write - write NTT-format data. Send "3" followed by exactly
 * *length bytes of data when the connection model code is 100, or "3" alone under any other code
 * or with a length of 0. Request code 3. The two exports build the same command.
 *   length  points to the data length L, 0 to 255.
 *   data    L bytes, passed on as they are: any byte value, zero bytes too (the NUL does not end
 *           them). Required even when it is not sent.
 * The four request flags are cleared first, whatever the result.
 * Results: 0 accepted; 902 length is null; 900 data is null; 901 L is negative or above 255
 * (such a write is refused, never cut; nothing is sent).
 */
XERV_API int32_t MagCard_NTT_Write(const int32_t *length, const char *data);
XERV_API int32_t MagCard_NTT8_Write(const int32_t *length, const char *data);

/*
 * MagCard_NTT_Write_Hold_Position, MagCard_NTT8_Write_Hold_Position - the NTT writes that keep
 * the card at the hold position: "4" [+ data], with the same rules and results.
 */
XERV_API int32_t MagCard_NTT_Write_Hold_Position(const int32_t *length, const char *data);
XERV_API int32_t MagCard_NTT8_Write_Hold_Position(const int32_t *length, const char *data);

/*
 * DataReturn - check the line: the reader echoes ten characters. Sends ":" + the ten characters,
 * request code 5, and keeps them for the check of the answer.
 *   ten  exactly ten characters, e.g. "0123456789" (sends ":0123456789").
 * The reader answers "J" followed by the ten characters.
 * Results: 0 the echo matched (or the reader answered ACK); 900 ten is null; 901 not ten
 * characters (nothing is sent, the kept characters stay as they were); 908 a "J" answer whose
 * ten characters differ in any place from those sent, or that holds fewer than ten.
 */
XERV_API int32_t DataReturn(const char *ten);

/* Eject_Card - eject the card. Sends ";" (request code 6). Results: the common ones. */
XERV_API int32_t Eject_Card(void);

/* Eject_Card2 - the second eject. Sends ">" (request code 6). Results: the common ones. */
XERV_API int32_t Eject_Card2(void);

/* Op_Prohibition - sends "0" (request code 8). Results: the common ones. */
XERV_API int32_t Op_Prohibition(void);

/*
 * Reset_Device - sends "<" (request code 9). While it waits, an answer of two bytes counts as the
 * control answer in its first byte (06h followed by any byte is ACK). Results: the common ones.
 */
XERV_API int32_t Reset_Device(void);

/*
 * ProtocolChange - sends "<0" (request code 9): the reader switches to the XERV3 protocol; go on
 * with libxerv3com. Two-byte answers count as for Reset_Device. Results: the common ones.
 */
XERV_API int32_t ProtocolChange(void);

/*
 * XERV1_STATUS_SIZE - the buffer StatusCheck needs. The reader chooses the letter of its answer,
 * so the buffer holds the longest reply any decoding above copies (the 16-character version)
 * and a NUL.
 */
#define XERV1_STATUS_SIZE 17

/*
 * StatusCheck - the reader's status. Sends "=", request code 10.
 *   out  XERV1_STATUS_SIZE (17) bytes; required. The answer is copied by its letter (an "M"
 *        answer copies R1..R3).
 * Results: 0; 900 out is null (nothing is sent); the common ones.
 */
XERV_API int32_t StatusCheck(char *out);

/*
 * Write_Mode_Selection - choose the write mode. Sends "6" mode, request code 11.
 *   mode  "0", "1" or "2".
 * Results: 0; 900 null; 901 not one character; 902 another character.
 */
XERV_API int32_t Write_Mode_Selection(const char *mode);

/*
 * Cleaning_Card - run a cleaning card. Sends "a" and the first character of how, request code
 * 12; the rest of how is not looked at.
 * Results: 0; 900 how null; 902 how empty.
 */
XERV_API int32_t Cleaning_Card(const char *how);

/*
 * Test_Cmd - run a reader test. Sends "k" and the first character of test, or "k" alone when
 * test is null or empty; request code 21.
 *   out  13 bytes. A "k" answer whose R1 is '0' copies R3..R10 (8 characters), any other copies
 *        R2..R13 (12), each followed by a NUL. Null: not copied.
 * Results: the common ones; 909 also when the answer is short (what came is copied).
 */
XERV_API int32_t Test_Cmd(const char *test, char *out);

/*
 * Dipsw_Read - the reader's DIP switches. Sends "k0", request code 21.
 *   out  9 bytes: R3..R10 of the "k" answer (8 characters) and a NUL. Null: not copied.
 * Results: the common ones; 909 also when the answer is short.
 */
XERV_API int32_t Dipsw_Read(char *out);

/*
 * ProgVersion_Read - the reader's program version. Sends "VR", request code 22.
 *   out  17 bytes: R2..R17 of the "VR" answer (16 characters) and a NUL. Null: not copied.
 * Results: the common ones; 909 also when the answer is short.
 */
XERV_API int32_t ProgVersion_Read(char *out);

/*
 * Connection_Model_Setup - tell the library which reader variant is connected, so that card data
 * and write results are split into the right tracks, then ask the reader for its track
 * information with "j" (request code 14).
 *   code  points to the connection model code. It sets the track slots:
 *           0, 20, 100, 600   JIS II track only (and separator mode 2)
 *           1, 21, 101        tracks 1 to 3
 *           2, 22, 102        track 1
 *           3, 23, 103        track 2
 *           4, 24, 104        track 3
 *           5, 25, 26         tracks 1 and 2
 *           6, 27             tracks 2 and 3
 *           12, 105           tracks 1 to 3 and JIS II
 *         any other code sets no track.
 * The track slots are reset first, also when code is null; the code and its slots stay set
 * whatever the reader answers. A code above 105 (600 among them) is set without asking the
 * reader: nothing is sent and the result is 0. The "j" answer's R1..R3 are kept in the library.
 * Results: 0; 900 code null; the common ones for the "j" query.
 */
XERV_API int32_t Connection_Model_Setup(const uint32_t *code);

/* ---- Settings commands ---------------------------------------------------------------- */

/*
 * Each reader setting has one export: it sends the query form (the command character alone) when
 * all its value arguments are null or all are empty strings, and the set form (the character and
 * the new values) otherwise. Pass either all values or none: a set form that lacks a value it
 * sends is refused, never read (900 the value is null; 902 a one-character value is empty; 901 a
 * two-character value is shorter than two characters).
 *
 * The reader answers either form with ACK (nothing is copied, result 0) or with the setting's
 * letter and its values, which are copied into out followed by a NUL. out must hold the size given
 * with each export, for the set form too (a reader may answer it with the values): the longest
 * answer the export copies and its NUL. out may be null, and then nothing is copied. Where the
 * frame format's modes leave its user codes out, the answer without them is complete as well
 * (Comm_Format_Set). An answer whose values do not fit
 * that size gives 909 and leaves out unchanged; an answer shorter than its values gives 909 with
 * what came copied.
 * Results of every export here: 0; the argument errors listed with it (nothing is sent); -1 no
 * port open; 903, 904, 907, 909 as above.
 */

/*
 * Power_ON_OFF_Operation_Setup - power on/off operation. Request code 13.
 *   p1   null or "" to query; else its first character is sent, followed by "FF".
 *   out  4 bytes: the 3 characters after "e" and a NUL.
 * Sends "e" (query) or "e" p1[0] "FF", e.g. "e1FF".
 * Results: the common ones; no argument errors.
 */
XERV_API int32_t Power_ON_OFF_Operation_Setup(const char *p1, char *out);

/*
 * Track_Info_Set - the track information. Request code 14.
 *   p1..p3  the first character of each is sent.
 *   out     5 bytes: the 4 characters after "j" and a NUL. The first three are also kept as the
 *           track information, as after Connection_Model_Setup.
 * Sends "j" (query) or "j" p1[0] p2[0] p3[0], e.g. "j123".
 * Results: 900 a value null; 902 a value empty.
 */
XERV_API int32_t Track_Info_Set(const char *p1, const char *p2, const char *p3, char *out);

/*
 * The single-value settings. p1 null or "" sends the query (the character alone); otherwise the
 * character and p1's first character (the rest of p1 is not sent, nothing is checked).
 *   out  2 bytes: the 1 character after the letter and a NUL.
 * BuzzerVolumeSet      "b" [p1[0]], request code 15
 * Write_Mode_Set       "c" [p1[0]], request code 16
 * Shutter_Control_Set  "h" [p1[0]], request code 17
 * ResponseFormatSet    "o" [p1[0]], request code 20
 * Results: the common ones; no argument errors.
 */
XERV_API int32_t BuzzerVolumeSet(const char *p1, char *out);
XERV_API int32_t Write_Mode_Set(const char *p1, char *out);
XERV_API int32_t Shutter_Control_Set(const char *p1, char *out);
XERV_API int32_t ResponseFormatSet(const char *p1, char *out);

/*
 * Comm_Control_Set - the reader's own communication control. Request code 18.
 *   p1..p7  the first character of each is sent; the reader decides what each means.
 *   out     8 bytes: the 7 characters after "g" and a NUL.
 * Sends "g" (query) or "g" p1[0] .. p7[0], e.g. "g1100000".
 * Results: 900 a value null; 902 a value empty.
 */
XERV_API int32_t Comm_Control_Set(const char *p1, const char *p2, const char *p3, const char *p4,
                                  const char *p5, const char *p6, const char *p7, char *out);

/*
 * Comm_Format_Set - the reader's own frame format. Request code 19.
 *   p1..p4  the first character of each is sent.
 *   p5..p7  two characters each (the user start, end and separator codes), sent only when
 *           p1[0] is '2', p2[0] is '5', or p4[0] is '1' or '3'; otherwise not looked at.
 *   out     11 bytes (the longest answer and a NUL): the 10 characters after "f", or the 4 mode
 *           characters alone when the answer ends after them and its modes call for no user
 *           codes (first not '2', second not '5', fourth not '1' or '3'), and a NUL.
 * Sends "f" (query), "f" p1[0] p2[0] p3[0] p4[0] (e.g. "f1410"), or that followed by
 * p5[0] p5[1] p6[0] p6[1] p7[0] p7[1] (e.g. "f1413020304").
 * Results: 900 a value that is sent is null; 902 one of p1..p4 empty; 901 one of p5..p7 shorter
 * than two characters when they are sent.
 */
XERV_API int32_t Comm_Format_Set(const char *p1, const char *p2, const char *p3, const char *p4,
                                 const char *p5, const char *p6, const char *p7, char *out);

/* ---- EEPROM commands ------------------------------------------------------------------ */

/*
 * The EEPROM: 8 rows of 16 bytes, read and written as upper-case hexadecimal text, two
 * characters per byte. An address is two characters: a row '0'..'7' followed by a column
 * '0'..'9' or 'A'..'F' (one byte), a row followed by '*' (the whole row), or "**" (the whole
 * EEPROM, reading only). A host opens the EEPROM with EE_Open before reading or writing it and
 * closes it with EE_Close afterwards; the library keeps no EEPROM state and sends each command
 * when called.
 */

/*
 * EE_Open - open EEPROM access. Sends "p" and this library's six-letter access code (upper-case
 * letters, not those of libxerv3com). Request code 144.
 * EE_Close - end EEPROM access. Sends "v", request code 145.
 * EE_Enable, EE_Disable - allow or forbid EEPROM access. Send "q" and "r", request codes 151
 * and 152.
 * Results: the common ones.
 */
XERV_API int32_t EE_Open(void);
XERV_API int32_t EE_Close(void);
XERV_API int32_t EE_Enable(void);
XERV_API int32_t EE_Disable(void);

/*
 * EE_Read - read one byte, one row or the whole EEPROM. Sends "s" + address, request code 146
 * (byte), 147 (row) or 148 (all).
 *   address  see above, e.g. "3A" (byte), "3*" (row), "**" (all)
 *   out      receives the data as hexadecimal text and a NUL: 2 characters for a byte, 32 for a
 *            row, 256 for the whole EEPROM; allocate 3, 33 or 257 bytes
 * The reader's "s" answer echoes the address; the data follows it (from R3 on).
 * Results beyond the common ones: 900 address or out is null; 902 any other address (wrong
 * length, a row above '7', a column outside '0'..'9' and 'A'..'F', '*' as row of a byte);
 * 909 the answer held fewer characters than asked for (those that came are in out).
 * A whole-EEPROM answer that arrives while no command waits is kept for GetEEPROM_Data.
 */
XERV_API int32_t EE_Read(const char *address, char *out);

/*
 * EE_Write - write one byte or one row. Sends "t" + address + data, e.g. "t3A0F"; request code
 * 149 (byte) or 150 (row).
 *   address  a byte ("3A") or a row ("3*"); "**" is refused
 *   data     exactly 2 (byte) or 32 (row) characters of '0'..'9' and 'A'..'F'
 * Results beyond the common ones: 900 address or data is null; 902 any other address or data,
 * a wrong data length or lower-case digits included. Nothing is sent then.
 */
XERV_API int32_t EE_Write(const char *address, const char *data);

/*
 * GetEEPROM_Data - the whole-EEPROM data the reader sent while no command waited (an "s" answer
 * that came on its own). Nothing is sent.
 *   length  receives the number of data characters kept: 256, fewer when the answer was cut
 *           short, or 0 when nothing is kept.
 *   buffer  257 bytes: receives the kept characters and a NUL; left untouched when length is 0.
 * The kept data is handed out once: afterwards it is cleared and length reads 0.
 * Results: 0; -1 no port open; 900 length or buffer is null.
 */
XERV_API int32_t GetEEPROM_Data(int32_t *length, char *buffer);

#ifdef __cplusplus
}
#endif

#endif /* XERV_XERV1_H */
