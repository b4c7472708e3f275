// Everything the virtual reader keeps between commands: its protocol, settings, EEPROM, the frame
// format in force, the connection model, the cards waiting to be read and the operation a read or
// write command started. The command handlers of both protocols work on it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "card.h"
#include "card_layout.h"
#include "eeprom_image.h"
#include "frame_format.h"
#include "settings.h"

namespace xsim {

inline constexpr std::size_t kDipSwitches = 8;
inline constexpr std::size_t kVersionLength = 16;  // 10 characters of version, 6 of date

// A read or write command that waits for a card.
struct Operation {
  enum class Kind { Read, Write };
  Kind kind = Kind::Read;
  std::string report_letters;  // "CR" + mode, "CW" + mode, or XERV1 "A", "B", "C", "D"
  Selection selection = 0;     // read: the tracks asked for
  WrittenTracks write;         // write: the texts for each track
};

struct IcState {
  std::optional<IcCard> card;                     // inserted
  bool active = false;                            // activated since it was inserted
  std::vector<std::vector<std::uint8_t>> blocks;  // data blocks received, in order
};

struct ReaderState {
  ReaderState(Protocol p, std::uint32_t model_code)
      : protocol(p), settings(p), eeprom(p), model(model_code) {}

  Protocol protocol;
  Settings settings;
  Eeprom eeprom;
  devlink::FrameFormat format;  // in force until the next reset
  std::uint32_t model;
  std::string dip_switches = "00011000";
  std::string version;            // kVersionLength characters: 10 of version, 6 of date
  std::string access_code_xerv3;  // the EEPROM access code each protocol's open command carries
  std::string access_code_xerv1;
  bool ack_sets = false;  // answer a setting's set form with ACK instead of its values

  std::optional<Operation> armed;
  std::deque<Card> cards;  // presented, each serves one read or write
  IcState ic;
  WrittenTracks written;  // the texts of the last write
  std::string output_port = "000000";
  char write_mode_selection = '0';
  std::string data_return;  // XERV1: the last data-return text

  // Set by a command, carried out by the engine once the answer is on its way.
  bool reset_requested = false;
  std::optional<Protocol> switch_to;
  bool new_operation = false;  // a read or write command has just armed `armed`
};

// The version the reader reports by protocol when none is given.
std::string default_version(Protocol protocol);

}  // namespace xsim
