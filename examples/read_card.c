/*
 * read_card - read one magnetic card with libxerv3com and print its tracks.
 *
 *   read_card [port] [model] [seconds]
 *     port     COM port number (default 1)
 *     model    connection model code of the reader variant (default 101: tracks 1 to 3);
 *              "-" keeps the default
 *     seconds  how long to wait for a card (default 30)
 *
 * Exit status: 0 a card was read, 1 a library call failed or no card came in time, 2 bad usage.
 */
#define _POSIX_C_SOURCE 200809L

#include <ctype.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <xerv/xerv3com.h>

enum { kPollMs = 100, kTracks = 4, kTrackBuffer = 111 };

static const char* result_text(int32_t r) {
  switch (r) {
    case -1:
      return "no port open, or the line failed";
    case 900:
      return "a required argument is null";
    case 901:
      return "an argument has the wrong length";
    case 902:
      return "an argument has a wrong value";
    case 903:
      return "the reader answered NAK three times";
    case 904:
      return "no answer from the reader in time";
    case 905:
      return "waiting for the answer failed";
    case 909:
      return "the reader's answer was not understood";
    case 9000:
      return "a port is already open through this library";
    case 9002:
      return "no such port";
    case 9005:
      return "permission denied, or the port is in use";
    default:
      break;
  }
  if (r > 0 && r < 1000) return "the reader refused the command (NG code)";
  if (r > 9000) return "the port could not be opened (9000 + error code)";
  return "unexpected result";
}

static void report_failure(const char* what, int32_t r) {
  fprintf(stderr, "read_card: %s failed: result %d (%s)\n", what, (int)r, result_text(r));
}

/* Parses a whole decimal number in [0, max]; returns 0 on success. */
static int parse_number(const char* text, unsigned long max, unsigned long* value) {
  char* end = NULL;
  if (text == NULL || !isdigit((unsigned char)text[0])) return -1;
  errno = 0;
  *value = strtoul(text, &end, 10);
  return (errno != 0 || *end != '\0' || *value > max) ? -1 : 0;
}

static void sleep_ms(long ms) {
  struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

/* Prints a track's data, with characters outside printable ASCII as \xNN. */
static void print_data(const char* data, int32_t length) {
  putchar('"');
  for (int32_t i = 0; i < length; ++i) {
    const unsigned char c = (unsigned char)data[i];
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
      putchar(c);
    else
      printf("\\x%02X", c);
  }
  putchar('"');
}

static int print_tracks(void) {
  int32_t result[kTracks], length[kTracks];
  int32_t r = GetCard_Result(&result[0], &result[1], &result[2], &result[3], &length[0], &length[1],
                             &length[2], &length[3]);
  if (r != 0) {
    report_failure("GetCard_Result", r);
    return -1;
  }
  int32_t (*const getters[kTracks])(int32_t*, char*) = {GetTrk1Data, GetTrk2Data, GetTrk3Data,
                                                        GetTrk4Data};
  for (int k = 0; k < kTracks; ++k) {
    char data[kTrackBuffer];
    int32_t n = 0;
    if ((r = getters[k](&n, data)) != 0) {
      report_failure("reading the track data", r);
      return -1;
    }
    if (result[k] == -1) {
      printf("Track %d: not in the report\n", k + 1);
      continue;
    }
    printf("Track %d: result %d, length %d, data ", k + 1, (int)result[k], (int)n);
    print_data(data, n < kTrackBuffer ? n : kTrackBuffer - 1);
    putchar('\n');
  }
  return 0;
}

/* Polls for card data for up to `seconds`; 0 when a card was read and printed. */
static int wait_for_card(unsigned long seconds) {
  const unsigned long polls = seconds * (1000 / kPollMs);
  for (unsigned long i = 0; i <= polls; ++i) {
    int32_t status = 0;
    const int32_t r = GetStatus(&status);
    if (r != 0) {
      report_failure("GetStatus", r);
      return -1;
    }
    if (status & 1) return print_tracks();
    if (i < polls) sleep_ms(kPollMs);
  }
  fprintf(stderr, "read_card: no card within %lu s\n", seconds);
  return -1;
}

static int run(const char* port, uint32_t model, unsigned long seconds) {
  int32_t r = Connection_Model_Setup(&model);
  if (r != 0) {
    report_failure("Connection_Model_Setup", r);
    return -1;
  }
  printf("Connection model %lu set.\n", (unsigned long)model);
  if ((r = MagCard_Read("C", NULL)) != 0) {
    report_failure("MagCard_Read", r);
    return -1;
  }
  printf("Waiting up to %lu s for a card on COM%s...\n", seconds, port);
  fflush(stdout);
  return wait_for_card(seconds);
}

int main(int argc, char** argv) {
  const char* port = argc > 1 ? argv[1] : "1";
  unsigned long model = 101, seconds = 30;
  if (argc > 4 ||
      (argc > 2 && strcmp(argv[2], "-") != 0 && parse_number(argv[2], 0xFFFFFFFFUL, &model) != 0) ||
      (argc > 3 && parse_number(argv[3], 86400, &seconds) != 0)) {
    fprintf(stderr, "usage: read_card [port] [model|-] [seconds]\n");
    return 2;
  }
  const int32_t r = rs_PortOpen(port);
  if (r != 0) {
    fprintf(stderr, "read_card: cannot open COM%s: result %d (%s)\n", port, (int)r, result_text(r));
    return 1;
  }
  printf("Opened COM%s.\n", port);
  const int outcome = run(port, (uint32_t)model, seconds);
  rs_PortClose();
  printf("Port closed.\n");
  return outcome == 0 ? 0 : 1;
}
