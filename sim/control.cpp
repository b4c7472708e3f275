#include "control.h"

#include <cstdint>
#include <sstream>
#include <thread>

#include "trace.h"

namespace xsim {

namespace {

using Words = std::vector<Word>;

ControlResult fine(std::string output = {}) {
  return {true, std::move(output), false};
}
ControlResult wrong(std::string message) {
  return {false, std::move(message), false};
}

bool want(const Words& w, std::size_t least, std::size_t most) {
  return w.size() >= least + 1 && w.size() <= most + 1;
}

// --- Cards and reports ---

ControlResult card(VirtualReader& r, const Words& w) {
  if (!want(w, 1, kTracks)) return wrong("usage: card TRACK1 [TRACK2 [TRACK3 [TRACK4]]]");
  Card c;
  for (std::size_t k = 1; k < w.size(); ++k) {
    if (!parse_track(w[k], c.tracks[k - 1])) return wrong("bad track: " + w[k].text);
  }
  r.present_card(std::move(c));
  return fine();
}

ControlResult remove(VirtualReader& r, const Words& w) {
  if (!want(w, 0, 0)) return wrong("usage: remove");
  r.remove_cards();
  return fine();
}

ControlResult ic(VirtualReader& r, const Words& w) {
  if (!want(w, 0, 2)) return wrong("usage: ic [ATR [RESPONSE]]");
  IcCard card = sample_ic_card();
  if (w.size() > 1) {
    card.atr.clear();
    if (!parse_bytes({w[0], w[1]}, 1, card.atr)) return wrong("bad ATR bytes");
  }
  if (w.size() > 2) {
    card.response.clear();
    if (!parse_bytes({w[0], w[2]}, 1, card.response)) return wrong("bad response bytes");
  }
  r.insert_ic(std::move(card));
  return fine();
}

ControlResult ic_remove(VirtualReader& r, const Words& w) {
  if (!want(w, 0, 0)) return wrong("usage: ic-remove");
  r.remove_ic();
  return fine();
}

ControlResult report(VirtualReader& r, const Words& w) {
  int code = 0;
  if (!want(w, 1, 1) || !parse_number(w[1].text, code) || code < 0 || code > 99)
    return wrong("usage: " + w[0].text + " NN (0 to 99)");
  const bool sent = w[0].text == "event" ? r.send_event(code) : r.send_error(code);
  return sent ? fine() : wrong("XERV1 readers send no events or errors");
}

// --- Settings ---

ControlResult model(VirtualReader& r, const Words& w) {
  std::uint32_t code = 0;
  if (!want(w, 1, 1) || !parse_number(w[1].text, code)) return wrong("usage: model CODE");
  r.set_model(code);
  return fine();
}

ControlResult dip(VirtualReader& r, const Words& w) {
  if (!want(w, 1, 1) || !r.set_dip_switches(w[1].text)) return wrong("usage: dip EIGHTCHARS");
  return fine();
}

ControlResult version(VirtualReader& r, const Words& w) {
  if (!want(w, 1, 1) || !r.set_version(w[1].text))
    return wrong("usage: version TEXT (exactly " + std::to_string(kVersionLength) +
                 " characters, 10 of version and 6 of date; quote blanks: version \"XSIM3 "
                 "1.00240601\")");
  return fine();
}

// One EEPROM byte: its address as EE_Read takes it and the value as two hexadecimal digits.
ControlResult eeprom(VirtualReader& r, const Words& w) {
  const std::string_view value = want(w, 2, 2) ? std::string_view(w[2].text) : "";
  const int high = value.size() == 2 ? hex_digit(value[0]) : -1;
  const int low = value.size() == 2 ? hex_digit(value[1]) : -1;
  if (high < 0 || low < 0 || !r.set_eeprom(w[1].text, static_cast<std::uint8_t>(high * 16 + low)))
    return wrong(
        "usage: eeprom ADDRESS HEX (a byte address 00 to 7F, two hex digits: eeprom 45 03)");
  return fine();
}

ControlResult set(VirtualReader& r, const Words& w) {
  if (!want(w, 2, 2)) return wrong("usage: set LETTERS VALUE");
  if (!r.set_setting(w[1].text, w[2].text)) return wrong("refused: " + w[1].text + w[2].text);
  return fine();
}

ControlResult protocol(VirtualReader& r, const Words& w) {
  if (want(w, 1, 1) && w[1].text == "xerv3") {
    r.switch_protocol(Protocol::Xerv3);
  } else if (want(w, 1, 1) && w[1].text == "xerv1") {
    r.switch_protocol(Protocol::Xerv1);
  } else {
    return wrong("usage: protocol xerv3|xerv1");
  }
  return fine();
}

std::string format_text(const devlink::FrameFormat& f) {
  std::ostringstream out;
  out << "start " << int(f.start_mode) << " (" << hex_text({&f.start_code, 1}) << "), end "
      << int(f.end_mode) << " (" << hex_text({&f.end_code, 1}) << "), bcc " << int(f.bcc_mode)
      << ", separator " << int(f.separator_mode) << " (" << hex_text({&f.separator, 1}) << ")";
  return out.str();
}

std::string state_text(const VirtualReader& r) {
  std::ostringstream out;
  out << "link      " << r.link_path() << (r.connected() ? "" : " (hung up)") << '\n';
  r.with_state([&](const ReaderState& s) {
    out << "protocol  " << (s.protocol == Protocol::Xerv3 ? "XERV3" : "XERV1") << '\n'
        << "model     " << s.model << '\n'
        << "format    " << format_text(s.format) << '\n'
        << "waiting   " << (s.armed ? s.armed->report_letters : std::string("-")) << '\n'
        << "cards     " << s.cards.size() << " presented\n"
        << "ic card   " << (s.ic.card ? (s.ic.active ? "active" : "inserted") : "none") << '\n'
        << "eeprom    " << (s.eeprom.open ? "open" : "closed")
        << (s.eeprom.write_enabled ? ", writable" : "") << '\n'
        << "dip       " << s.dip_switches << '\n'
        << "version   " << s.version << '\n';
    return 0;
  });
  out << "reports   " << r.acknowledged_reports() << " acknowledged, " << r.abandoned_reports()
      << " given up\n";
  return out.str();
}

std::string frames_text(const VirtualReader& r) {
  std::ostringstream out;
  for (const HostFrame& f : r.received()) {
    const char* kind = f.kind == HostFrame::Kind::Control   ? "control"
                       : f.kind == HostFrame::Kind::Command ? "command"
                                                            : "bad    ";
    out << kind << "  " << printable_text(f.raw) << '\n';
  }
  return out.str();
}

ControlResult show(VirtualReader& r, const Words& w) {
  const std::string what = w.size() > 1 ? w[1].text : "state";
  if (!want(w, 0, 1)) return wrong("usage: show [settings|eeprom|state|frames]");
  if (what == "settings") {
    std::string out;
    for (const auto& [name, value] : r.settings()) out += name + " = " + value + '\n';
    return fine(out);
  }
  if (what == "eeprom") {
    return fine(r.with_state([](const ReaderState& s) { return s.eeprom.dump(); }));
  }
  if (what == "state") return fine(state_text(r));
  if (what == "frames") return fine(frames_text(r));
  return wrong("usage: show [settings|eeprom|state|frames]");
}

// --- Faults ---

ControlResult count_fault(VirtualReader& r, const Words& w) {
  int n = 1;
  if (!want(w, 0, 1) || (w.size() > 1 && (!parse_number(w[1].text, n) || n < 0)))
    return wrong("usage: " + w[0].text + " [N]");
  if (w[0].text == "nak") {
    r.nak_next(n);
  } else {
    r.ignore_next(n);
  }
  return fine();
}

ControlResult garbage(VirtualReader& r, const Words& w) {
  Bytes bytes;
  if (w.size() < 2 || !parse_bytes(w, 1, bytes)) return wrong("usage: garbage HEX|\"TEXT\" ...");
  r.send_garbage(std::move(bytes));
  return fine();
}

ControlResult bad_bcc(VirtualReader& r, const Words& w) {
  if (!want(w, 0, 0)) return wrong("usage: bad-bcc");
  r.bad_bcc_next();
  return fine();
}

ControlResult split(VirtualReader& r, const Words& w) {
  int ms = 0;
  if (!want(w, 1, 1) || !parse_number(w[1].text, ms) || ms < 0) return wrong("usage: split MS");
  r.split_next(milliseconds(ms));
  return fine();
}

ControlResult hangup(VirtualReader& r, const Words& w) {
  int ms = 0;
  if (!want(w, 0, 1) || (w.size() > 1 && (!parse_number(w[1].text, ms) || ms < 0)))
    return wrong("usage: hangup [MS]");
  r.hang_up(w.size() > 1 ? std::optional<milliseconds>(ms) : std::nullopt);
  return fine();
}

ControlResult reconnect(VirtualReader& r, const Words& w) {
  if (!want(w, 0, 0)) return wrong("usage: reconnect");
  r.reconnect();
  return fine();
}

// --- The session ---

ControlResult sleep(VirtualReader&, const Words& w) {
  int ms = 0;
  if (!want(w, 1, 1) || !parse_number(w[1].text, ms) || ms < 0) return wrong("usage: sleep MS");
  std::this_thread::sleep_for(milliseconds(ms));
  return fine();
}

ControlResult trace(VirtualReader& r, const Words& w) {
  if (!want(w, 1, 1) || (w[1].text != "on" && w[1].text != "off"))
    return wrong("usage: trace on|off");
  r.set_trace(w[1].text == "on");
  return fine();
}

ControlResult help(VirtualReader&, const Words&) {
  return fine(control_help());
}

ControlResult quit(VirtualReader&, const Words&) {
  return {true, {}, true};
}

struct Verb {
  std::string_view name;
  ControlResult (*run)(VirtualReader&, const Words&);
};

constexpr Verb kVerbs[] = {
    {"card", card},           {"remove", remove},     {"ic", ic},
    {"ic-remove", ic_remove}, {"event", report},      {"error", report},
    {"model", model},         {"dip", dip},           {"version", version},
    {"eeprom", eeprom},       {"set", set},           {"protocol", protocol},
    {"show", show},           {"nak", count_fault},   {"silent", count_fault},
    {"garbage", garbage},     {"bad-bcc", bad_bcc},   {"split", split},
    {"hangup", hangup},       {"reconnect", reconnect}, {"sleep", sleep},
    {"trace", trace},         {"help", help},         {"quit", quit},
    {"exit", quit},
};

}  // namespace

ControlResult run_control(VirtualReader& reader, std::string_view line) {
  std::vector<Word> words;
  std::string error;
  if (!split_words(line, words, error)) return wrong(error);
  if (words.empty()) return fine();
  for (const Verb& v : kVerbs) {
    if (v.name == words[0].text) return v.run(reader, words);
  }
  return wrong("unknown command: " + words[0].text + " (try help)");
}

std::string control_help() {
  return R"(Cards
  card T1 [T2 [T3 [T4]]]  present a card for the next read or write (one card each); a track is
                          its text ("quoted" when it holds blanks; \xHH for any byte), - for
                          none, or !D for a read error with digit D (1-8)
  remove                  take back the presented cards not yet read
  ic [ATR [RESPONSE]]     insert an IC card: its answer to activation and to every data block,
                          in hex (default 3B021450 and 9000)
  ic-remove               take the IC card out
Reports (XERV3)
  event NN                send the event report AE NN
  error NN                send the error report DH NN
Reader
  model CODE              the connection model whose layout card reports follow
  dip SWITCHES            the eight DIP switch characters (dip 00011000)
  version TEXT            the 16 characters of the version answer: 10 of version, 6 of date
                          (version "XSIM3 1.00240601")
  eeprom ADDR HEX         set one EEPROM byte: eeprom 45 03 (the track arrangement),
                          eeprom 08 07 (the format code of slot 2; slots at 00 08 10 18)
  set LETTERS VALUE       change a setting as the host's set form would (set SS 1, set SJ 10AF0)
  protocol xerv3|xerv1    switch the protocol now
  show [state|settings|eeprom|frames]
Faults
  nak [N]                 answer the next N host frames with NAK
  silent [N]              leave the next N host frames unanswered
  garbage BYTES           send bytes as they are: hex pairs (02 41) or "text"
  bad-bcc                 send the next frame with a wrong block check
  split MS                send the next frame in two parts MS milliseconds apart
  hangup [MS]             close the line (the host sees a hang-up); with MS, come back after MS
                          milliseconds with a new pseudo-terminal under the same link
  reconnect               come back now with a new pseudo-terminal
Session
  sleep MS                wait (for scripts)
  trace on|off            show every frame both ways
  help                    this text
  quit                    stop the reader
)";
}

}  // namespace xsim
