// Card reports laid out for each connection model, checked byte for byte and split back with the
// link core's own splitter, so that a host gets the tracks the reader was given.
#include "card_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection_model.h"
#include "reports.h"

namespace {

using devlink::Protocol;
using xsim::Card;
using xsim::Track;

Card card(std::vector<Track> tracks) {
  Card c;
  for (std::size_t k = 0; k < tracks.size(); ++k) c.tracks[k] = tracks[k];
  return c;
}

const Track A = Track::text("ABC");
const Track N = Track::text("123");
const Track X = Track::text("XYZ");
const Track J = Track::text("JIS");
const Track none = Track::none();

struct Case {
  const char* name;
  Protocol protocol;
  std::uint32_t model;
  std::uint8_t separator_mode;
  xsim::Selection selection;
  Card card;
  std::string data;  // '|' stands for the separator
  std::array<int, 4> results;
};

const std::vector<Case>& cases() {
  static const std::vector<Case> table = {
      {"three tracks",
       Protocol::Xerv3,
       101,
       0,
       0,
       card({A, N, X}),
       "0ABC|0123|0XYZ",
       {0, 0, 0, -1}},
      {"tracks 1, 2 missing",
       Protocol::Xerv3,
       101,
       0,
       0,
       card({none, none, X}),
       "||0XYZ",
       {-1, -1, 0, -1}},
      {"error digits; last track lacking",
       Protocol::Xerv3,
       1,
       0,
       0,
       card({Track::error(3), N, none}),
       "3|0123|1",
       {3, 0, 1, -1}},
      {"track 1 whole", Protocol::Xerv3, 0, 0, 0, card({A, N}), "0ABC", {0, -1, -1, -1}},
      {"track 1 field", Protocol::Xerv3, 2, 0, 0, card({A, N, X}), "0ABC||", {0, -1, -1, -1}},
      {"track 2 field", Protocol::Xerv3, 103, 0, 0, card({A, N, X}), "|0123|", {-1, 0, -1, -1}},
      {"track 3 field", Protocol::Xerv3, 4, 0, 0, card({A, N, X}), "||0XYZ", {-1, -1, 0, -1}},
      {"tracks 1 and 2", Protocol::Xerv3, 5, 0, 0, card({A, N, X}), "0ABC|0123", {0, 0, -1, -1}},
      {"tracks 2 and 3", Protocol::Xerv3, 6, 0, 0, card({A, none, X}), "||0XYZ", {-1, -1, 0, -1}},
      {"four tracks",
       Protocol::Xerv3,
       7,
       0,
       0,
       card({A, N, X, J}),
       "0ABC|0123|0XYZ|0JIS",
       {0, 0, 0, 0}},
      {"four tracks without track 2",
       Protocol::Xerv3,
       105,
       0,
       0,
       card({A, none, X, J}),
       "0ABC||0XYZ",
       {0, -1, 0, -1}},
      {"by selection: tracks 1 and 3",
       Protocol::Xerv3,
       101,
       2,
       0b101,
       card({A, N, X}),
       "0ABC|0XYZ",
       {0, -1, 0, -1}},
      {"by selection: track 2",
       Protocol::Xerv3,
       101,
       3,
       0b010,
       card({A, N, X}),
       "0123",
       {-1, 0, -1, -1}},
      {"by selection: none",
       Protocol::Xerv3,
       101,
       2,
       0,
       card({A, N, X}),
       "0ABC|0123|0XYZ",
       {0, 0, 0, -1}},
      {"grouped: track 2 field",
       Protocol::Xerv3,
       3,
       2,
       0,
       card({A, N, X}),
       "0123",
       {-1, 0, -1, -1}},
      {"XERV1 three tracks",
       Protocol::Xerv1,
       101,
       0,
       0,
       card({A, none, X}),
       "0ABC||0XYZ",
       {0, -1, 0, -1}},
      {"XERV1 track 2", Protocol::Xerv1, 103, 0, 0, card({A, N, X}), "0123", {-1, 0, -1, -1}},
      {"XERV1 four tracks",
       Protocol::Xerv1,
       12,
       0,
       0,
       card({A, N, X, J}),
       "0ABC|0123|0XYZ|0JIS",
       {0, 0, 0, 0}},
      {"XERV1 JIS II", Protocol::Xerv1, 600, 0, 0, card({A}), "0ABC", {0, -1, -1, -1}},
  };
  return table;
}

std::string shown(std::string s, std::uint8_t separator) {
  for (char& c : s) {
    if (static_cast<std::uint8_t>(c) == separator) c = '|';
  }
  return s;
}

TEST(CardLayout, ReportsFollowTheModelAndSplitBackIntoTheTracks) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    devlink::FrameFormat format;
    format.set_separator(c.separator_mode, '/');
    const std::string data = xsim::card_data(c.protocol, c.model, format, c.selection, c.card);
    EXPECT_EQ(shown(data, format.separator), c.data);

    // The host side: the same model, the read's track selection, the link core's splitter.
    devlink::Store store;
    devlink::FrameFormat host = format;
    devlink::set_connection_model(store.card, host, c.protocol, c.model);
    host.set_separator(c.separator_mode, '/');
    for (std::size_t k = 0; k < 3; ++k) store.card.request[k] = (c.selection >> k) & 1u;
    devlink::store_card_data(store, c.protocol, host,
                             {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()});
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(store.card.result[k], c.results[k]) << "track " << k + 1;
      if (c.results[k] == 0) {
        EXPECT_EQ(std::string(store.card.data[k].data()), c.card.tracks[k].data)
            << "track " << k + 1;
      }
    }
  }
}

TEST(CardLayout, TrackDataIsCutToWhatTheSlotHolds) {
  const Card c = card({Track::text(std::string(90, 'A')), Track::text(std::string(50, '5')),
                       Track::text(std::string(120, '3'))});
  const std::string data = xsim::card_data(Protocol::Xerv3, 101, {}, 0, c);
  EXPECT_EQ(data, "0" + std::string(76, 'A') + "\x1F" + "0" + std::string(37, '5') + "\x1F" + "0" +
                      std::string(104, '3'));
}

TEST(CardLayout, WriteResultsAndFields) {
  xsim::WriteStatus status;
  status[1] = '0';
  EXPECT_EQ(xsim::write_results(Protocol::Xerv3, 101, '|', status), "|0|0");
  status[0] = '4';
  EXPECT_EQ(xsim::write_results(Protocol::Xerv3, 1, '|', status), "4|0|0");
  EXPECT_EQ(xsim::write_results(Protocol::Xerv3, 103, '|', status), "|0");
  EXPECT_EQ(xsim::write_results(Protocol::Xerv1, 104, '|', {}), "0");
  EXPECT_EQ(xsim::write_results(Protocol::Xerv3, 7, '|', status), "");

  const auto three = xsim::write_fields(Protocol::Xerv3, 101, '|', "|5678|");
  EXPECT_FALSE(three[0]);
  EXPECT_EQ(three[1], "5678");
  EXPECT_FALSE(three[2]);
  EXPECT_EQ(xsim::write_fields(Protocol::Xerv3, 4, '|', "||XYZ")[2], "XYZ");
  EXPECT_EQ(xsim::write_fields(Protocol::Xerv1, 103, '|', "A|B")[1], "A|B");
  EXPECT_FALSE(xsim::write_fields(Protocol::Xerv3, 7, '|', "ABC")[0]);
}

}  // namespace
