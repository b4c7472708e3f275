// Shared by the export fuzz targets: one library with a port open on a pseudo-terminal whose
// reader answers every frame it receives with bytes the fuzzer chooses, and the splitting of an
// input into the arguments of one export call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace xfuzz {

// An input split into: which export (first byte), up to eight argument strings (fields separated
// by 00h; a field that is the single byte 01h is a null pointer) and the reader's answer (the
// last field, sent raw).
struct Call {
  std::uint8_t which = 0;
  std::vector<std::string> fields;
  std::vector<bool> null;
  std::string answer;

  const char* arg(std::size_t i) const {
    if (i >= fields.size() || null[i]) return i >= fields.size() ? "" : nullptr;
    return fields[i].c_str();
  }
  std::int32_t number(std::size_t i) const;
};

Call split(const std::uint8_t* data, std::size_t size);

// Opens COM1 on a pseudo-terminal (once per process) and starts the reader that answers each
// frame with the answer of the current call.
void open_port_once(int (*port_open)(const char*));
void set_answer(const std::string& answer);

// Caller data for an export that takes a count and the bytes: the second field (else the answer)
// as a heap copy of exactly its size, and a count that the bytes really hold (the count is the
// caller's promise; which count is the fuzzer's choice).
struct CountedData {
  std::unique_ptr<char[]> bytes;
  std::int32_t count = 0;
};
CountedData counted_data(const Call& c);

// Runs every report query once, as a polling host does.
void poll_queries();

// A heap buffer of exactly the size an export documents, so a write past it is caught.
inline std::unique_ptr<char[]> buffer(std::size_t size) {
  return std::make_unique<char[]>(size);
}

}  // namespace xfuzz
