// The magnetic read: which selections each connection model code allows, the text sent and the
// request flags it sets.
#include "read_command.h"

#include "command_check.h"
#include "result.h"

namespace xerv1 {
namespace {

using namespace xtest;
using devlink::kBadLength;
using devlink::kBadValue;
using Flags = std::array<std::int32_t, 4>;

struct ReadCase {
  std::uint32_t model;
  const char* selection;
  Expect expect;
  Flags flags;
};

TEST(ReadCommand, SelectionByConnectionModel) {
  const ReadCase cases[] = {
      // No selection: the command character alone, whatever the code.
      {1, nullptr, sends("1", 1), {0, 0, 0, 0}},
      {0, "", sends("1", 1), {0, 0, 0, 0}},
      // Codes 1 and 8: rising combinations; each track's flag is its own number.
      {1, "13", sends("113", 1), {1, 0, 3, 0}},
      {1, "123", sends("1123", 1), {1, 2, 3, 0}},
      {8, "2", sends("12", 1), {0, 2, 0, 0}},
      {8, "23", sends("123", 1), {0, 2, 3, 0}},
      {1, "21", fails(kBadValue), {0, 0, 0, 0}},
      {1, "11", fails(kBadValue), {0, 0, 0, 0}},
      {1, "4", fails(kBadValue), {0, 0, 0, 0}},
      {1, "0", fails(kBadValue), {0, 0, 0, 0}},
      {1, "1234", fails(kBadLength), {0, 0, 0, 0}},
      // Single-track codes: exactly their track.
      {0, "1", sends("11", 1), {1, 0, 0, 0}},
      {9, "1", sends("11", 1), {1, 0, 0, 0}},
      {0, "2", fails(kBadValue), {0, 0, 0, 0}},
      {0, "12", fails(kBadLength), {0, 0, 0, 0}},
      {3, "2", sends("12", 1), {0, 2, 0, 0}},
      {10, "1", fails(kBadValue), {0, 0, 0, 0}},
      {4, "3", sends("13", 1), {0, 0, 3, 0}},
      {11, "33", fails(kBadLength), {0, 0, 0, 0}},
      // Codes 5, 6 and above 11 take any selection and send none.
      {5, "123", sends("1", 1), {0, 0, 0, 0}},
      {6, "xyz", sends("1", 1), {0, 0, 0, 0}},
      {12, "1", sends("1", 1), {0, 0, 0, 0}},
      {100, "1234567", sends("1", 1), {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    devlink::CardStore card;
    card.model = c.model;
    card.request = {7, 7, 7, 7};  // every read clears the flags of the last one first
    const std::string name = "model " + std::to_string(c.model) + " " + name_of(c.selection);
    check(mag_card_read(card, cmd::kRead, c.selection), c.expect, name);
    EXPECT_EQ(card.request, c.flags) << name;
  }
}

TEST(ReadCommand, HoldPositionSendsTwo) {
  devlink::CardStore card;
  card.model = 5;
  check(mag_card_read(card, cmd::kReadHold, "13"), sends("2", 1), "code 5");
  card.model = 1;
  check(mag_card_read(card, cmd::kReadHold, "13"), sends("213", 1), "code 1");
}

}  // namespace
}  // namespace xerv1
