#include "connection_model.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

using devlink::CardStore;
using devlink::FrameFormat;
using devlink::Protocol;
using Slots = std::array<std::int32_t, 4>;

constexpr Protocol kX3 = Protocol::Xerv3;
constexpr Protocol kX1 = Protocol::Xerv1;
constexpr Slots kNone{0, 0, 0, -1};
constexpr Slots kJis{1, 0, 0, -1};
constexpr Slots kIso1{2, 0, 0, -1};
constexpr Slots kIso2{0, 3, 0, -1};
constexpr Slots kIso3{0, 0, 4, -1};
constexpr Slots kIso12{2, 3, 0, -1};
constexpr Slots kIso23{0, 3, 4, -1};
constexpr Slots kIso123{2, 3, 4, -1};
constexpr Slots kFour{2, 3, 4, 1};

struct ModelCase {
  Protocol protocol;
  std::uint32_t code;
  Slots slots;
  bool one_track;  // the separator mode becomes 2
  bool sent;
};

constexpr ModelCase kCases[] = {
    {kX3, 0, kJis, true, true},       {kX3, 100, kJis, true, true},
    {kX3, 1, kNone, false, true},     {kX3, 2, kIso1, false, true},
    {kX3, 102, kIso1, false, true},   {kX3, 3, kIso2, false, true},
    {kX3, 103, kIso2, false, true},   {kX3, 4, kIso3, false, true},
    {kX3, 104, kIso3, false, true},   {kX3, 5, kIso12, false, true},
    {kX3, 6, kIso23, false, true},    {kX3, 7, kFour, false, true},
    {kX3, 105, kFour, false, true},   {kX3, 101, kIso123, false, true},
    {kX3, 200, kNone, false, true},   {kX3, 201, kIso123, false, true},
    {kX3, 204, kIso123, false, true}, {kX3, 205, kNone, false, true},
    {kX3, 600, kNone, false, true},   {kX3, 0xFFFFFFFF, kNone, false, true},
    {kX1, 0, kJis, true, true},       {kX1, 20, kJis, true, true},
    {kX1, 100, kJis, true, true},     {kX1, 600, kJis, true, false},
    {kX1, 1, kIso123, false, true},   {kX1, 21, kIso123, false, true},
    {kX1, 101, kIso123, false, true}, {kX1, 22, kIso1, false, true},
    {kX1, 102, kIso1, false, true},   {kX1, 23, kIso2, false, true},
    {kX1, 3, kIso2, false, true},     {kX1, 24, kIso3, false, true},
    {kX1, 104, kIso3, false, true},   {kX1, 5, kIso12, false, true},
    {kX1, 25, kIso12, false, true},   {kX1, 26, kIso12, false, true},
    {kX1, 6, kIso23, false, true},    {kX1, 27, kIso23, false, true},
    {kX1, 12, kFour, false, true},    {kX1, 105, kFour, false, true},
    {kX1, 7, kNone, false, true},     {kX1, 106, kNone, false, false},
    {kX1, 201, kNone, false, false},  {kX1, 0xFFFFFFFF, kNone, false, false},
};

TEST(ConnectionModel, SetsSlotsSeparatorModeAndWhetherToAsk) {
  for (const ModelCase& c : kCases) {
    SCOPED_TRACE(::testing::Message()
                 << (c.protocol == kX3 ? "XERV3 " : "XERV1 ") << "code " << c.code);
    CardStore card;
    card.slot = {9, 9, 9, 9};  // whatever the previous model left
    card.request = {1, 1, 1, 0};
    FrameFormat format;
    format.set_separator(3, '*');

    EXPECT_EQ(devlink::set_connection_model(card, format, c.protocol, c.code), c.sent);
    EXPECT_EQ(card.model, c.code);
    EXPECT_EQ(card.slot, c.slots);
    EXPECT_EQ(card.request, (Slots{1, 1, 1, 0})) << "request flags belong to the read";
    EXPECT_EQ(format.separator_mode, c.one_track ? 2 : 3);
    EXPECT_EQ(format.separator, c.one_track ? devlink::kUs : '*');
  }
}

}  // namespace
