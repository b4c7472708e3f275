#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "connection_model.h"
#include "reports.h"

namespace {

using devlink::FrameFormat;
using devlink::Protocol;
using devlink::Store;
using Results = std::array<std::int32_t, 4>;
using Texts = std::array<std::string, 4>;

constexpr Protocol kX3 = Protocol::Xerv3;
constexpr Protocol kX1 = Protocol::Xerv1;
constexpr std::uint8_t kUserSeparator = '*';

// Report data written with '|' for the separator character in force.
std::vector<std::uint8_t> wire(const std::string& text, const FrameFormat& format) {
  std::vector<std::uint8_t> out(text.begin(), text.end());
  std::replace(out.begin(), out.end(), std::uint8_t{'|'}, format.separator);
  return out;
}

// A store right after open with the model set, the separator mode and the read's request flags.
struct Reader {
  Store store;
  FrameFormat format;

  Reader(Protocol protocol, std::uint32_t code, std::uint8_t separator_mode,
         std::array<std::int32_t, 3> request = {}) {
    store.reset_for_open();
    devlink::set_connection_model(store.card, format, protocol, code);
    format.set_separator(separator_mode, kUserSeparator);
    std::copy(request.begin(), request.end(), store.card.request.begin());
  }
  void card(Protocol protocol, const std::string& data) {
    devlink::store_card_data(store, protocol, format, wire(data, format));
  }
  void write(Protocol protocol, const std::string& data) {
    devlink::store_write_result(store, protocol, format, wire(data, format));
  }
  std::string text(std::size_t track) const { return store.card.data[track].data(); }
};

void expect_tracks(const Reader& r, const Results& results, const Texts& texts) {
  EXPECT_EQ(r.store.card.result, results);
  for (std::size_t t = 0; t < 4; ++t) {
    EXPECT_EQ(r.text(t), texts[t]) << "track " << t + 1;
    EXPECT_EQ(r.store.card.length[t], static_cast<std::int32_t>(texts[t].size()))
        << "track " << t + 1;
  }
}

struct CardCase {
  const char* name;
  Protocol protocol;
  std::uint32_t code;
  std::uint8_t separator_mode;
  std::array<std::int32_t, 3> request;
  std::string data;
  Results results;
  Texts texts;
};

const std::string k80(80, 'A');
const std::string k100(100, 'B');
const std::string k200(200, 'C');

const CardCase kCardCases[] = {
    // Separator modes 0 and 1.
    {"101 three fields", kX3, 101, 0, {}, "0ABC|0123|0XYZ", {0, 0, 0, -1}, {"ABC", "123", "XYZ"}},
    {"101 tracks 1 and 2 empty", kX3, 101, 0, {}, "||0XYZ", {-1, -1, 0, -1}, {"", "", "XYZ"}},
    {"101 user separator", kX3, 101, 1, {}, "0AB*0CD*0EF", {0, 0, 0, -1}, {"AB", "CD", "EF"}},
    {"101 error digits", kX3, 101, 0, {}, "2|0123|5", {2, 0, 5, -1}, {"", "123", ""}},
    {"error digit takes no data", kX3, 101, 0, {}, "2ABC|0123", {2, -1, -1, -1}, {}},
    {"last field error digit takes no data", kX3, 0, 2, {}, "3ABC", {3, -1, -1, -1}, {}},
    {"101 broken after track 2", kX3, 101, 0, {}, "0ABC|0123", {0, 0, -1, -1}, {"ABC", "123"}},
    {"1 names no slots but splits",
     kX3,
     1,
     0,
     {},
     "0" + k100 + "|0C|0D",
     {0, 0, 0, -1},
     {k100, "C", "D"}},
    {"300 as 101", kX3, 300, 0, {}, "0A|0B|0C", {0, 0, 0, -1}, {"A", "B", "C"}},
    {"0 after open, single error digit", kX3, 0, 2, {}, "3", {3, -1, -1, -1}, {}},
    {"0 whole data is track 1",
     kX3,
     0,
     0,
     {},
     "0A|B",
     {0, -1, -1, -1},
     {"A\x1F"
      "B"}},
    {"2 field", kX3, 2, 0, {}, "0ABC", {0, -1, -1, -1}, {"ABC"}},
    {"2 mode 2 last field",
     kX3,
     2,
     2,
     {},
     "0A|B",
     {0, -1, -1, -1},
     {"A\x1F"
      "B"}},
    {"3 data not beginning with S", kX3, 3, 0, {}, "0ABC", {-1, -1, -1, -1}, {}},
    {"3 after separator", kX3, 3, 0, {}, "|0123", {-1, 0, -1, -1}, {"", "123"}},
    {"4 after two separators", kX3, 4, 0, {}, "||0XYZ", {-1, -1, 0, -1}, {"", "", "XYZ"}},
    {"4 one separator only", kX3, 4, 0, {}, "|0XYZ", {-1, -1, -1, -1}, {}},
    {"5 two fields", kX3, 5, 0, {}, "0A|0B", {0, 0, -1, -1}, {"A", "B"}},
    {"5 track 1 empty", kX3, 5, 0, {}, "|0B", {-1, 0, -1, -1}, {"", "B"}},
    {"5 field beyond slot maximum breaks",
     kX3,
     5,
     0,
     {},
     "0" + k80 + "|0B",
     {0, -1, -1, -1},
     {k80.substr(0, 76)}},
    // A separated field takes at most the maximum of its track's slot.
    {"2 field cut at 76", kX3, 2, 0, {}, "0" + k100, {0, -1, -1, -1}, {k100.substr(0, 76)}},
    {"3 field cut at 37", kX3, 3, 0, {}, "|0" + k100, {-1, 0, -1, -1}, {"", k100.substr(0, 37)}},
    {"4 field cut at 104",
     kX3,
     4,
     0,
     {},
     "||0" + k200,
     {-1, -1, 0, -1},
     {"", "", k200.substr(0, 104)}},
    {"X1 0 field cut at 69", kX1, 0, 0, {}, "0" + k100, {0, -1, -1, -1}, {k100.substr(0, 69)}},
    {"6 track 2 empty", kX3, 6, 0, {}, "||0C", {-1, -1, 0, -1}, {"", "", "C"}},
    {"7 four tracks", kX3, 7, 0, {}, "0A|0B|0C|0D", {0, 0, 0, 0}, {"A", "B", "C", "D"}},
    {"7 track 2 empty",
     kX3,
     7,
     0,
     {},
     "0A||0C|D",
     {0, -1, 0, -1},
     {"A", "",
      "C\x1F"
      "D"}},
    {"105 four tracks in mode 2",
     kX3,
     105,
     2,
     {},
     "0A|0B|0C|0D",
     {0, 0, 0, 0},
     {"A", "B", "C", "D"}},
    {"201 has slots but no layout", kX3, 201, 0, {}, "0A|0B|0C", {-1, -1, -1, -1}, {}},
    {"600 has no layout in XERV3", kX3, 600, 0, {}, "0A", {-1, -1, -1, -1}, {}},
    // Separator modes 2 and 3: the layout follows the tracks the read asked for.
    {"101 mode 2 none selected", kX3, 101, 2, {}, "0A|0B|0C", {0, 0, 0, -1}, {"A", "B", "C"}},
    {"101 mode 2 only track 2",
     kX3,
     101,
     2,
     {0, 1, 0},
     "0B|C",
     {-1, 0, -1, -1},
     {"",
      "B\x1F"
      "C"}},
    {"101 mode 2 tracks 1 and 3", kX3, 101, 2, {1, 0, 1}, "0A|0C", {0, -1, 0, -1}, {"A", "", "C"}},
    {"101 mode 2 tracks 2 and 3", kX3, 101, 2, {0, 1, 1}, "0B|0C", {-1, 0, 0, -1}, {"", "B", "C"}},
    {"101 mode 3 tracks 1 and 2", kX3, 101, 3, {1, 1, 0}, "0A*0B", {0, 0, -1, -1}, {"A", "B"}},
    {"101 mode 2 all three", kX3, 101, 2, {1, 1, 1}, "0A|0B|0C", {-1, -1, -1, -1}, {}},
    {"5 mode 2 none selected", kX3, 5, 2, {}, "0A|0B", {0, 0, -1, -1}, {"A", "B"}},
    {"5 mode 2 only track 3", kX3, 5, 2, {0, 0, 1}, "0C", {-1, -1, -1, -1}, {}},
    {"6 mode 2 only track 3", kX3, 6, 2, {0, 0, 3}, "0C", {-1, -1, 0, -1}, {"", "", "C"}},
    // XERV1 codes take the XERV3 layouts.
    {"X1 0 none selected", kX1, 0, 2, {}, "0A|0B|0C", {0, 0, 0, -1}, {"A", "B", "C"}},
    {"X1 0 track 1 selected",
     kX1,
     0,
     2,
     {1, 0, 0},
     "0A|B",
     {0, -1, -1, -1},
     {"A\x1F"
      "B"}},
    {"X1 21 as 101", kX1, 21, 0, {}, "||0C", {-1, -1, 0, -1}, {"", "", "C"}},
    {"X1 600 track 1", kX1, 600, 2, {}, "0ABC", {0, -1, -1, -1}, {"ABC"}},
    {"X1 22 track 1 in mode 0",
     kX1,
     22,
     0,
     {},
     "0A|B",
     {0, -1, -1, -1},
     {"A\x1F"
      "B"}},
    {"X1 103 track 2 in mode 0", kX1, 103, 0, {}, "0123", {-1, 0, -1, -1}, {"", "123"}},
    {"X1 24 track 3", kX1, 24, 0, {}, "4", {-1, -1, 4, -1}, {}},
    {"X1 12 as 7", kX1, 12, 0, {}, "0A||0C", {0, -1, 0, -1}, {"A", "", "C"}},
    {"X1 25 as 6", kX1, 25, 0, {}, "|0B|0C", {-1, 0, 0, -1}, {"", "B", "C"}},
    {"X1 27 as 5", kX1, 27, 0, {}, "|0B", {-1, 0, -1, -1}, {"", "B"}},
    {"X1 3 has no layout", kX1, 3, 0, {}, "|0B", {-1, -1, -1, -1}, {}},
};

TEST(CardData, SplitsByConnectionModelAndSeparatorMode) {
  for (const CardCase& c : kCardCases) {
    SCOPED_TRACE(c.name);
    Reader r(c.protocol, c.code, c.separator_mode, c.request);
    r.card(c.protocol, c.data);
    EXPECT_EQ(r.store.status, devlink::kStatusCardData);
    expect_tracks(r, c.results, c.texts);
  }
}

TEST(CardData, LongFieldsAreCutAtTheTrackBuffer) {
  const std::string long_text(300, 'X');
  const std::string cut = long_text.substr(0, devlink::kTrackDataMax);
  const CardCase cases[] = {
      {"last field, track 1", kX3, 0, 2, {}, "0" + long_text, {0, -1, -1, -1}, {cut}},
      {"last field, track 3",
       kX3,
       101,
       0,
       {},
       "0A|0B|0" + long_text,
       {0, 0, 0, -1},
       {"A", "B", cut}},
      {"last field, track 4",
       kX3,
       7,
       0,
       {},
       "0A|0B|0C|0" + long_text,
       {0, 0, 0, 0},
       {"A", "B", "C", cut}},
      {"unlimited slot field", kX3, 1, 0, {}, "0" + long_text + "|0B|0C", {0, -1, -1, -1}, {cut}},
  };
  for (const CardCase& c : cases) {
    SCOPED_TRACE(c.name);
    Reader r(c.protocol, c.code, c.separator_mode, c.request);
    r.card(c.protocol, c.data);
    expect_tracks(r, c.results, c.texts);
    for (const auto& buffer : r.store.card.data) EXPECT_EQ(buffer.back(), '\0');
  }
}

TEST(CardData, NothingIsSplitBeforeAModelIsSet) {
  Store store;
  store.reset_for_open();
  store.card.model = 101;  // kept from before the open
  store.card.slot = {0, 0, 0, 0};
  FrameFormat format;
  devlink::store_card_data(store, kX3, format, wire("0A|0B|0C", format));
  EXPECT_EQ(store.status, devlink::kStatusCardData);
  EXPECT_EQ(store.card.result, (Results{-1, -1, -1, -1}));
  EXPECT_EQ(store.card.length, (Results{0, 0, 0, 0}));
}

TEST(CardData, FieldWithoutDataKeepsTheOldTrack) {
  Reader r(kX3, 101, 0);
  r.card(kX3, "0ABCDEF|0123|0XYZ");
  r.card(kX3, "0Z|0|3");
  expect_tracks(r, {0, 0, 3, -1}, {"Z", "123", "XYZ"});
  const auto& track1 = r.store.card.data[0];
  EXPECT_TRUE(std::all_of(track1.begin() + 1, track1.end(), [](char c) { return c == '\0'; }))
      << "stale bytes after the shorter data";

  // A track the next report does not carry keeps its data but loses its result.
  r.card(kX3, "||0NEW");
  expect_tracks(r, {-1, -1, 0, -1}, {"Z", "123", "NEW"});
}

struct WriteCase {
  const char* name;
  Protocol protocol;
  std::uint32_t code;
  std::string data;
  Results results;
};

TEST(WriteResult, OneResultPerWrittenTrack) {
  const WriteCase cases[] = {
      {"0", kX3, 0, "0", {0, -1, -1, -1}},
      {"102 other status is 0", kX3, 102, "9", {0, -1, -1, -1}},
      {"3", kX3, 3, "|4", {-1, 4, -1, -1}},
      {"103 without separator", kX3, 103, "4", {-1, -1, -1, -1}},
      {"4", kX3, 4, "||0", {-1, -1, 0, -1}},
      {"4 one separator only", kX3, 4, "|0", {-1, -1, -1, -1}},
      {"101 three", kX3, 101, "0|2|0", {0, 2, 0, -1}},
      {"1 tracks 1 and 2 empty", kX3, 1, "||5", {-1, -1, 5, -1}},
      {"101 broken", kX3, 101, "1|2", {1, 2, -1, -1}},
      {"7 has no write layout", kX3, 7, "0|0|0", {-1, -1, -1, -1}},
      {"X1 100", kX1, 100, "8", {8, -1, -1, -1}},
      {"X1 103", kX1, 103, "6", {-1, 6, -1, -1}},
      {"X1 104", kX1, 104, "0", {-1, -1, 0, -1}},
      {"X1 101", kX1, 101, "|0|1", {-1, 0, 1, -1}},
      {"X1 2 has no write layout", kX1, 2, "0", {-1, -1, -1, -1}},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    Reader r(c.protocol, c.code, 0);
    r.store.card.length = {1, 2, 3, 4};
    r.write(c.protocol, c.data);
    EXPECT_EQ(r.store.status, devlink::kStatusWriteResult);
    EXPECT_EQ(r.store.card.result, c.results);
    EXPECT_EQ(r.store.card.length, (Results{1, 2, 3, 4})) << "write results carry no data";
  }
}

TEST(WriteResult, NothingBeforeAModelIsSet) {
  Store store;
  store.reset_for_open();
  store.card.slot = {0, 0, 0, 0};
  FrameFormat format;
  devlink::store_write_result(store, kX3, format, wire("0", format));
  EXPECT_EQ(store.status, devlink::kStatusWriteResult);
  EXPECT_EQ(store.card.result, (Results{-1, -1, -1, -1}));
}

}  // namespace
