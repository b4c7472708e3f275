// The reader's behaviour settings, kept under their XERV3 letters ("SS", "SN", ...) and answered
// in both protocols (the XERV1 letter "h" is the same setting as "SS"). Each value is the text the
// reader answers after the letters; a set form is checked by the reader's own rules before it is
// stored.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frame_format.h"
#include "reply.h"

namespace xsim {

using devlink::Protocol;

enum class SetResult { Ok, BadLength, BadValue };

// A decimal digit, '0' to '9', as the reader's parameter checks take it.
bool is_digit(char c);

class Settings {
 public:
  // Defaults; the line settings follow the protocol's usual data bits (8 for XERV3, 7 for XERV1).
  explicit Settings(Protocol protocol);

  // The setting a command's letters name in a protocol: the XERV3 letters themselves, or the XERV1
  // letter's setting ("h" -> "SS"; "o" and "j" only exist in XERV1). Not for "SJ", which is kept
  // per track as "SJ1" .. "SJ4".
  static std::optional<std::string_view> name_for(Protocol protocol, std::string_view letters);

  // The stored value, or nothing for an unknown name.
  std::optional<std::string> value(std::string_view name) const;
  // Applies a set form's parameters (the characters after the letters) to a setting.
  SetResult set(std::string_view name, std::string_view params);

  // The frame format that the communication format setting ("SN") describes; the reader takes it
  // up at its next reset.
  devlink::FrameFormat frame_format() const;

  const std::vector<std::pair<std::string, std::string>>& all() const { return values_; }

 private:
  std::string* find(std::string_view name);
  std::vector<std::pair<std::string, std::string>> values_;
};

}  // namespace xsim
