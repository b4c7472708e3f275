// Any file bytes → the tool's file readers: decoding from both code pages, the INI reader with a
// few lookups, the explanation tree and the manual's lines and search. Each reader's promises
// are checked; a broken one stops the fuzzer.
//
// Input: the file's bytes, read both as they are and decoded. The last line of the input, when
// there is one, also serves as a search text and as a key to look up.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "explanation_tree.h"
#include "manual_text.h"
#include "profile.h"
#include "text_decode.h"
#include "tool_settings.h"

namespace {

using namespace xtool::files;

void check(bool promise) {
  if (!promise) __builtin_trap();
}

bool has_line_end(std::string_view s) {
  return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

void check_decoded(std::string_view bytes, const std::string& out) {
  check(is_valid_utf8(out));
  if (is_valid_utf8(bytes)) {
    check(out == bytes || (bytes.starts_with("\xEF\xBB\xBF") && out == bytes.substr(3)));
  } else {
    check(out.size() <= bytes.size() * 3);  // at most one three-byte character per byte
  }
}

void check_profile(std::string_view text, std::string_view probe) {
  const Profile profile = Profile::parse(text);
  const std::string_view sections[] = {"Messages", "frmMain", "Setup", "", probe};
  const std::string_view keys[] = {"MenuItems.File1", "PageSetInfo.Pages[0].Caption", "Contents0",
                                   "", probe};
  for (const std::string_view section : sections) {
    for (const std::string_view key : keys) {
      const std::string value = profile.get(section, key, "\x01");
      check(profile.has(section, key) == (value != "\x01"));
      check(value.size() <= Profile::kMaxValueChars * 4);
    }
  }
  read_tool_settings(profile);
}

// Walks the tree, checking that no node is deeper than the cap and no text has its indentation
// or a line end left in it.
void check_nodes(const std::vector<TreeNode>& nodes, int depth) {
  check(depth <= kMaxTreeDepth);
  for (const TreeNode& node : nodes) {
    check(!node.text.empty());
    check(node.text.front() != ' ' && node.text.front() != '\t');
    check(!has_line_end(node.text));
    check_nodes(node.children, depth + 1);
  }
}

void check_tree(std::string_view text) {
  const TreeLoad tree = parse_tree(text);
  check(tree.ok == (tree.error_line == 0) && tree.ok == tree.error.empty());
  check_nodes(tree.roots, 0);
}

// `needle` is the text's own last line, so a non-empty one is always found.
void check_lines(std::string_view text, std::string_view needle) {
  const std::vector<std::string> lines = split_lines(text);
  std::size_t kept = 0;
  for (const std::string& line : lines) {
    check(!has_line_end(line));
    kept += line.size();
  }
  check(kept <= text.size());
  const int found = find_line(lines, needle);
  check(needle.empty() ? found == -1 : found >= 0);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const bool has = !needle.empty() && lines[i].find(needle) != std::string::npos;
    if (i < found) check(!has);
    if (i == found) check(has);
    if (found < 0) check(!has);
  }
}

// The last line of the input, without its line end.
std::string_view last_line(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  const std::size_t start = text.find_last_of("\r\n");
  return start == std::string_view::npos ? text : text.substr(start + 1);
}

// Runs every reader over one text.
void check_readers(std::string_view text) {
  const std::string_view probe = last_line(text);
  check_profile(text, probe);
  check_tree(text);
  check_lines(text, probe);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string from_sjis = decode_text(bytes, Legacy::ShiftJis);
  const std::string from_1252 = decode_text(bytes, Legacy::Windows1252);
  check_decoded(bytes, from_sjis);
  check_decoded(bytes, from_1252);
  // Each distinct text once: valid UTF-8 decodes to itself in both code pages.
  check_readers(bytes);  // undecoded: malformed UTF-8 reaches the readers too
  if (from_sjis != bytes) check_readers(from_sjis);
  if (from_1252 != bytes && from_1252 != from_sjis) check_readers(from_1252);
  return 0;
}
