// The words of a control line: quoting, tracks and bytes.
#include <cstdint>

#include "control.h"

namespace xsim {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool split_words(std::string_view line, std::vector<Word>& words, std::string& error) {
  words.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c == '#') break;
    Word w;
    if (c != '"') {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
             line[i] != '\n')
        w.text += line[i++];
      words.push_back(std::move(w));
      continue;
    }
    w.quoted = true;
    ++i;
    for (;;) {
      if (i >= line.size()) {
        error = "unterminated quote";
        return false;
      }
      const char q = line[i++];
      if (q == '"') break;
      if (q != '\\') {
        w.text += q;
        continue;
      }
      if (i >= line.size()) {
        error = "unterminated quote";
        return false;
      }
      const char e = line[i++];
      if (e == 'x') {
        const int h = i < line.size() ? hex_digit(line[i]) : -1;
        const int l = i + 1 < line.size() ? hex_digit(line[i + 1]) : -1;
        if (h < 0 || l < 0) {
          error = "bad \\x escape";
          return false;
        }
        w.text += static_cast<char>(h * 16 + l);
        i += 2;
      } else {
        w.text += e;
      }
    }
    words.push_back(std::move(w));
  }
  return true;
}

bool parse_track(const Word& word, Track& track) {
  if (word.quoted) {
    track = Track::text(word.text);
    return true;
  }
  if (word.text == "-") {
    track = Track::none();
    return true;
  }
  if (!word.text.empty() && word.text[0] == '!') {
    if (word.text.size() != 2 || word.text[1] < '1' || word.text[1] > '8') return false;
    track = Track::error(word.text[1] - '0');
    return true;
  }
  track = Track::text(word.text);
  return true;
}

bool parse_bytes(const std::vector<Word>& words, std::size_t from, Bytes& bytes) {
  for (std::size_t k = from; k < words.size(); ++k) {
    const Word& w = words[k];
    if (w.quoted) {
      bytes.insert(bytes.end(), w.text.begin(), w.text.end());
      continue;
    }
    if (w.text.empty() || w.text.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < w.text.size(); i += 2) {
      const int h = hex_digit(w.text[i]);
      const int l = hex_digit(w.text[i + 1]);
      if (h < 0 || l < 0) return false;
      bytes.push_back(static_cast<std::uint8_t>(h * 16 + l));
    }
  }
  return true;
}

}  // namespace xsim
