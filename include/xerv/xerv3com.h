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

/* ---- Settings commands ---------------------------------------------------------------- */

/* ---- IC card and EEPROM commands ------------------------------------------------------ */

#ifdef __cplusplus
}
#endif

#endif /* XERV_XERV3COM_H */
