// The card commands with parameters, the fixed command texts, the data-return record and the
// connection model setup.
#include "card_commands.h"

#include "command_check.h"
#include "result.h"

namespace xerv1 {
namespace {

using namespace xtest;
using devlink::kBadLength;
using devlink::kBadValue;
using devlink::kNullArg;

TEST(CardCommands, FixedTexts) {
  const std::pair<CommandId, Expect> cases[] = {
      {cmd::kEject, sends(";", 6)},           {cmd::kEject2, sends(">", 6)},
      {cmd::kProhibit, sends("0", 8)},        {cmd::kReset, sends("<", 9)},
      {cmd::kProtocolChange, sends("<0", 9)}, {cmd::kDipsw, sends("k0", 21)},
      {cmd::kVersion, sends("VR", 22)},
  };
  for (const auto& [id, expect] : cases) check(plain(id), expect, std::string(id.text));
}

TEST(CardCommands, OneArgumentCommands) {
  run_cases(write_mode_selection, {
                                      {"0", sends("60", 11)},
                                      {"2", sends("62", 11)},
                                      {"3", fails(kBadValue)},
                                      {"01", fails(kBadLength)},
                                      {"", fails(kBadLength)},
                                      {nullptr, fails(kNullArg)},
                                  });
  run_cases(cleaning_card, {
                               {"1", sends("a1", 12)},
                               {"123", sends("a1", 12)},
                               {"", fails(kBadValue)},
                               {nullptr, fails(kNullArg)},
                           });
  run_cases(test_cmd, {
                          {"5", sends("k5", 21)},
                          {"56", sends("k5", 21)},
                          {"", sends("k", 21)},
                          {nullptr, sends("k", 21)},
                      });
  char out[17];
  check(status_check(out), sends("=", 10), "status");
  check(status_check(nullptr), fails(kNullArg), "status without a buffer");
}

TEST(CardCommands, DataReturnKeepsTheTenCharactersSent) {
  devlink::Store store;
  check(data_return(store, "0123456789"), sends(":0123456789", 5), "ten");
  EXPECT_EQ(std::string(store.data_return.data(), 10), "0123456789");

  check(data_return(store, "ABCDEFGHI"), fails(kBadLength), "nine");
  check(data_return(store, "ABCDEFGHIJK"), fails(kBadLength), "eleven");
  check(data_return(store, nullptr), fails(kNullArg), "null");
  EXPECT_EQ(std::string(store.data_return.data(), 10), "0123456789") << "a refused one is not kept";
}

TEST(CardCommands, ConnectionModelSetup) {
  devlink::CardStore card;
  devlink::FrameFormat format;
  card.slot = {4, 4, 4, 4};
  card.model = 55;
  check(connection_model_setup(card, format, nullptr), fails(kNullArg), "null");
  EXPECT_EQ(card.slot, (std::array<std::int32_t, 4>{0, 0, 0, -1})) << "reset even without a code";
  EXPECT_EQ(card.model, 55u);

  const std::uint32_t twelve = 12;
  check(connection_model_setup(card, format, &twelve), sends("j", 14), "12");
  EXPECT_EQ(card.slot, (std::array<std::int32_t, 4>{2, 3, 4, 1}));

  // Codes above 105 are set without asking the reader: nothing to send.
  const std::uint32_t six_hundred = 600;
  const devlink::Command c = connection_model_setup(card, format, &six_hundred);
  EXPECT_EQ(c.error, 0);
  EXPECT_EQ(c.request, 0);
  EXPECT_EQ(c.length, 0u);
  EXPECT_EQ(card.model, 600u);
  EXPECT_EQ(card.slot, (std::array<std::int32_t, 4>{1, 0, 0, -1}));
  EXPECT_EQ(format.separator_mode, 2);
}

}  // namespace
}  // namespace xerv1
