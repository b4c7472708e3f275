// The card command builders: the exact text and request code of each command, and the argument
// errors that stop a command before anything is sent.
#include "card_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "command_check.h"
#include "result.h"

namespace xerv3 {
namespace {

using namespace xtest;
using devlink::CardStore;
using devlink::Command;
using devlink::kBadLength;
using devlink::kBadValue;
using devlink::kNullArg;
using Flags = std::array<std::int32_t, 4>;

constexpr std::uint8_t kSep = 0x1F;

TEST(CardCommands, EjectCard) {
  run_cases(eject_card, {
                            {"F0", sends("PEF0", 10)},
                            {"R1", sends("PER1", 10)},
                            {"S9", sends("PES9", 10)},
                            {"S0", sends("PES0", 10)},
                            {"S~", sends("PES~", 10)},
                            {"F2", fails(kBadValue)},
                            {"R/", fails(kBadValue)},
                            {"S/", fails(kBadValue)},
                            {"X0", fails(kBadValue)},
                            {"F", fails(kBadLength)},
                            {"F01", fails(kBadLength)},
                            {"", fails(kBadLength)},
                            {nullptr, fails(kNullArg)},
                        });
}

TEST(CardCommands, OutputPortControl) {
  run_cases(output_port_control, {
                                     {"010110", sends("PO010110", 15)},
                                     {"000000", sends("PO000000", 15)},
                                     {"210110", fails(kBadValue)},
                                     {"010112", fails(kBadValue)},
                                     {"01 110", fails(kBadValue)},
                                     {"0101", fails(kBadLength)},
                                     {"0101100", fails(kBadLength)},
                                     {nullptr, fails(kNullArg)},
                                 });
}

TEST(CardCommands, OneCharacterChoices) {
  run_cases(write_mode_selection, {
                                      {"0", sends("PM0", 16)},
                                      {"2", sends("PM2", 16)},
                                      {"3", fails(kBadValue)},
                                      {"01", fails(kBadLength)},
                                      {"", fails(kBadLength)},
                                      {nullptr, fails(kNullArg)},
                                  });
  run_cases(status_check, {
                              {"C", sends("PSC", 13)},
                              {"I", sends("PSI", 13)},
                              {"c", fails(kBadValue)},
                              {"CI", fails(kBadLength)},
                              {nullptr, fails(kNullArg)},
                          });
  run_cases(cleaning_card, {
                               {"1", sends("PW1", 19)},
                               {"123", sends("PW1", 19)},
                               {"", fails(kBadValue)},
                               {nullptr, fails(kNullArg)},
                           });
  run_cases(test_cmd, {
                          {"5", sends("PT5", 18)},
                          {"56", sends("PT5", 18)},
                          {"", sends("PT", 18)},
                          {nullptr, sends("PT", 18)},
                      });
}

TEST(CardCommands, FixedTexts) {
  check(op_prohibition(), sends("PP", 11), "PP");
  check(reset_device(), sends("PR", 12), "PR");
  check(protocol_change(), sends("PR1", 12), "PR1");
  check(dipsw_read(), sends("PT0", 18), "PT0");
  check(prog_version_read(), sends("VR", 36), "VR");
}

struct ReadCase {
  const char* mode;
  const char* param;
  const char* position;
  Expect expect;
  Flags flags;
};

TEST(CardCommands, MagCardRead) {
  const ReadCase cases[] = {
      {"C", nullptr, nullptr, sends("CRC", 1), {0, 0, 0, 0}},
      {"F", "", "123", sends("CRF", 1), {0, 0, 0, 0}},
      {"F", "101", nullptr, sends("CRF101", 1), {1, 0, 1, 0}},
      {"C", "011", "999", sends("CRC011", 1), {0, 1, 1, 0}},
      {"F", "10", nullptr, fails(kBadLength), {0, 0, 0, 0}},
      {"F", "1011", nullptr, fails(kBadLength), {0, 0, 0, 0}},
      {"A", "01", nullptr, sends("CRA01", 1), {0, 0, 0, 0}},
      {"A", "01", "", sends("CRA01", 1), {0, 0, 0, 0}},
      {"A", "01", "123", sends("CRA01123", 1), {0, 0, 0, 0}},
      {"A", "01", "12", fails(kBadLength), {0, 0, 0, 0}},
      {"A", "01", "1234", fails(kBadLength), {0, 0, 0, 0}},
      {"A", nullptr, nullptr, fails(kNullArg), {0, 0, 0, 0}},
      {"A", "", nullptr, fails(kBadLength), {0, 0, 0, 0}},
      {"A", "012", nullptr, fails(kBadLength), {0, 0, 0, 0}},
      {nullptr, "01", nullptr, fails(kNullArg), {0, 0, 0, 0}},
      {"", nullptr, nullptr, fails(kBadLength), {0, 0, 0, 0}},
      {"CF", nullptr, nullptr, fails(kBadLength), {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    CardStore card;
    card.request = {7, 7, 7, 7};  // every read clears the flags of the last one first
    const std::string name = std::string(c.mode ? c.mode : "(null)") + "/" +
                             (c.param ? c.param : "(null)") + "/" +
                             (c.position ? c.position : "(null)");
    check(mag_card_read(card, c.mode, c.param, c.position), c.expect, name);
    EXPECT_EQ(card.request, c.flags) << name;
  }
}

struct WriteCase {
  std::uint32_t model;
  const char* mode;
  const char* track1;
  const char* track2;
  const char* track3;
  const char* position;
  Expect expect;
  Flags flags;
};

TEST(CardCommands, MagCardWrite) {
  const std::string S(1, static_cast<char>(kSep));
  const WriteCase cases[] = {
      // Model 1: each given, non-empty text fills its field and marks its track.
      {1, "A", "", "5678", nullptr, nullptr, sends("CWA" + S + "5678" + S, 3), {0, 1, 0, 0}},
      {101, "A", "12", "34", "56", nullptr, sends("CWA12" + S + "34" + S + "56", 3), {1, 1, 1, 0}},
      {1, "AB", nullptr, nullptr, "9", nullptr, sends("CWA" + S + S + "9", 3), {0, 0, 1, 0}},
      // One-track models.
      {0, "A", "1234", nullptr, nullptr, nullptr, sends("CWA1234", 3), {0, 0, 0, 0}},
      {100, "A", "", "x", nullptr, nullptr, fails(kBadValue), {0, 0, 0, 0}},
      {0, "A", nullptr, "x", nullptr, nullptr, fails(kNullArg), {0, 0, 0, 0}},
      {2, "A", "1234", nullptr, nullptr, nullptr, sends("CWA1234" + S + S, 3), {0, 0, 0, 0}},
      {103, "A", nullptr, "5678", nullptr, nullptr, sends("CWA" + S + "5678" + S, 3), {0, 0, 0, 0}},
      {3, "A", "1", "", nullptr, nullptr, fails(kBadValue), {0, 0, 0, 0}},
      {4, "A", nullptr, nullptr, "90", nullptr, sends("CWA" + S + S + "90", 3), {0, 0, 0, 0}},
      {104, "A", "1", "2", nullptr, nullptr, fails(kNullArg), {0, 0, 0, 0}},
      // Models without a write layout send the header alone.
      {7, "A", "1", "2", "3", nullptr, sends("CWA", 3), {0, 0, 0, 0}},
      {5, "B", "1", nullptr, nullptr, nullptr, sends("CWB", 3), {0, 0, 0, 0}},
      // Mode and position.
      {1, nullptr, "1", nullptr, nullptr, nullptr, fails(kNullArg), {7, 7, 7, 7}},
      {1, "A", nullptr, nullptr, nullptr, nullptr, fails(kNullArg), {7, 7, 7, 7}},
      {1, "K", "1", nullptr, nullptr, nullptr, fails(kNullArg), {7, 7, 7, 7}},
      {1, "L", "1", nullptr, nullptr, nullptr, fails(kNullArg), {7, 7, 7, 7}},
      {1, "", "1", nullptr, nullptr, nullptr, fails(kBadValue), {0, 0, 0, 0}},
      {1, "K", "1", nullptr, nullptr, "", fails(kBadValue), {0, 0, 0, 0}},
      {1, "K", "1", nullptr, nullptr, "7", fails(kBadLength), {0, 0, 0, 0}},
      {1, "K", "1", nullptr, nullptr, "789", sends("CWK781" + S + S, 3), {1, 0, 0, 0}},
      {1, "L", "1", nullptr, nullptr, "", sends("CWL1" + S + S, 3), {1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    CardStore card;
    card.model = c.model;
    card.request = {7, 7, 7, 7};
    const std::string name = "model " + std::to_string(c.model) + " mode " +
                             (c.mode ? c.mode : "(null)") + " t1 " +
                             (c.track1 ? c.track1 : "(null)");
    check(mag_card_write(card, kSep, c.mode, c.track1, c.track2, c.track3, c.position), c.expect,
          name);
    EXPECT_EQ(card.request, c.flags) << name;
  }
}

TEST(CardCommands, MagCardWriteUsesTheSeparatorInForce) {
  CardStore card;
  card.model = 1;
  check(mag_card_write(card, '|', "A", "1", "2", "3", nullptr), sends("CWA1|2|3", 3), "user sep");
}

TEST(CardCommands, MagCardWriteHoldsAt256Characters) {
  for (const std::uint32_t model : {0u, 1u, 2u, 3u, 4u}) {
    CardStore card;
    card.model = model;
    // Header "CWA" and the separators the layout adds around a single track.
    const std::size_t separators = (model == 0) ? 0 : 2;
    const std::string fits(kMaxWriteText - 3 - separators, 'x');
    const std::string over = fits + "x";
    const char* t1 = model <= 2 ? fits.c_str() : nullptr;
    const char* t2 = model == 3 ? fits.c_str() : nullptr;
    const char* t3 = model == 4 ? fits.c_str() : nullptr;
    const Command ok = mag_card_write(card, kSep, "A", t1, t2, t3, nullptr);
    EXPECT_EQ(ok.error, 0) << "model " << model;
    EXPECT_EQ(ok.length, kMaxWriteText) << "model " << model;

    const char* o1 = t1 ? over.c_str() : nullptr;
    const char* o2 = t2 ? over.c_str() : nullptr;
    const char* o3 = t3 ? over.c_str() : nullptr;
    const Command refused = mag_card_write(card, kSep, "A", o1, o2, o3, nullptr);
    EXPECT_EQ(refused.error, kBadValue) << "model " << model;
    EXPECT_EQ(refused.length, 0u);
    EXPECT_EQ(card.request, (Flags{0, 0, 0, 0})) << "a refused write marks no track";
  }
}

TEST(CardCommands, MagCardWriteRefusesTextsFarBeyondTheBuffer) {
  CardStore card;
  card.model = 101;
  const std::string huge(100000, 'x');
  const Command c = mag_card_write(card, kSep, "A", "1", "2", huge.c_str(), nullptr);
  EXPECT_EQ(c.error, kBadValue);
  EXPECT_EQ(card.request, (Flags{0, 0, 0, 0}));
}

TEST(CardCommands, ConnectionModelSetup) {
  CardStore card;
  devlink::FrameFormat format;
  card.slot = {4, 4, 4, 4};
  card.model = 55;
  const Command none = connection_model_setup(card, format, nullptr);
  EXPECT_EQ(none.error, kNullArg);
  EXPECT_EQ(card.slot, (Flags{0, 0, 0, -1})) << "the slots are reset even without a code";
  EXPECT_EQ(card.model, 55u);

  const std::uint32_t code = 105;
  check(connection_model_setup(card, format, &code), sends("ST", 25), "ST");
  EXPECT_EQ(card.model, 105u);
  EXPECT_EQ(card.slot, (Flags{2, 3, 4, 1}));
}

}  // namespace
}  // namespace xerv3
