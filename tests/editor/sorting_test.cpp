#include "editor/sorting.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <random>

#include "editor/row_tables.h"
#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using Sorting = EditorTest;

// The Sort menu's procedure as the editor has always run it, kept as the
// reference: exchange sort, keys converted afresh at every comparison,
// records exchanged cell by cell, the digital orders sorting copies of the
// view's rows and writing them back.
struct KeyCells {
  std::size_t sat, type, name, second;  // second: frequency (rule F) or bouquet (rule B)
  char rule;
};

std::string TextOf(const std::string& cell) {
  std::string text = cell;
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (text.size() <= 256) {
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    while (!text.empty() && text.back() == ' ') text.pop_back();
  }
  return text;
}
int CompareText(const std::string& a, const std::string& b) {
  return std::strcmp(TextOf(a).c_str(), TextOf(b).c_str());
}
int NumberOf(const std::string& cell) { return std::atoi(cell.c_str()); }

// Record j (first cell at j) comes before record i.
bool ComesFirst(const std::vector<std::string>& c, std::size_t i, std::size_t j, const KeyCells& k) {
  const bool sameSat = NumberOf(c[j + k.sat]) == NumberOf(c[i + k.sat]);
  const bool sameType = sameSat && CompareText(c[i + k.type], c[j + k.type]) == 0;
  bool sameSecond = sameType;
  bool secondFirst = false;
  if (k.rule == 'F') {
    secondFirst = sameType && NumberOf(c[i + k.second]) > NumberOf(c[j + k.second]);
    sameSecond = sameType && NumberOf(c[i + k.second]) == NumberOf(c[j + k.second]);
  } else if (k.rule == 'B') {
    secondFirst = sameType && CompareText(c[i + k.second], c[j + k.second]) > 0;
    sameSecond = sameType && CompareText(c[i + k.second], c[j + k.second]) == 0;
  }
  return NumberOf(c[j + k.sat]) < NumberOf(c[i + k.sat]) ||
         (sameSat && CompareText(c[i + k.type], c[j + k.type]) < 0) || secondFirst ||
         (sameSecond && CompareText(c[i + k.name], c[j + k.name]) > 0);
}

void ExchangeSort(std::vector<std::string>& cells, std::size_t first, std::size_t stride, std::size_t n,
                  const KeyCells& keys) {
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      const std::size_t ri = first + i * stride, rj = first + j * stride;
      if (!ComesFirst(cells, ri, rj, keys)) continue;
      for (std::size_t c = 0; c < stride; ++c) std::swap(cells[ri + c], cells[rj + c]);
    }
  }
}

LineList ReferenceSort(const ListViewModel& model, int mode) {
  LineList list = model.list;
  struct Part {
    std::size_t first = 0, n = 0;
  };
  auto find = [&](const std::string& word, std::size_t stride) {
    auto start = std::find(list.begin(), list.end(), word + " START");
    auto end = std::find(list.begin(), list.end(), word + " END");
    if (start == list.end() || end == list.end()) return Part{};
    const auto first = static_cast<std::size_t>(start - list.begin()) + 1;
    return Part{first, (static_cast<std::size_t>(end - list.begin()) - first) / stride};
  };
  const Part ch = find("CHANNEL", 8), pid = find("CHANNEL_PID", 10), an = find("ANALOG", 18);
  if (mode == 1) {
    ExchangeSort(list, ch.first, 8, ch.n, {2, 4, 5, 0, 'N'});
    ExchangeSort(list, pid.first, 10, pid.n, {2, 3, 4, 0, 'N'});
    ExchangeSort(list, an.first, 18, an.n, {1, 16, 4, 0, 'N'});
  } else {
    std::vector<std::string> rows;
    for (std::size_t r = 0; r < model.rows.digital.RowCount(); ++r) {
      for (int c = 0; c < 20; ++c) rows.emplace_back(model.rows.digital.Cell(model.list, r, c));
    }
    const KeyCells keys{2, 4, 5, mode == 2 ? 11u : 14u, mode == 2 ? 'F' : 'B'};
    ExchangeSort(rows, 0, 20, ch.n, keys);
    ExchangeSort(rows, ch.n * 20, 20, pid.n, keys);
    for (std::size_t k = 0; k < ch.n; ++k) {
      for (std::size_t c = 0; c <= 5; ++c) list[ch.first + k * 8 + c] = rows[k * 20 + c];
      list[ch.first + k * 8 + 6] = rows[k * 20 + 9];
      list[ch.first + k * 8 + 7] = rows[k * 20 + 10];
    }
    for (std::size_t k = 0; k < pid.n; ++k) {
      const std::size_t row = (ch.n + k) * 20;
      for (std::size_t c = 0; c <= 2; ++c) list[pid.first + k * 10 + c] = rows[row + c];
      for (std::size_t c = 3; c <= 9; ++c) list[pid.first + k * 10 + c] = rows[row + c + 1];
    }
    ExchangeSort(list, an.first, 18, an.n, {1, 16, 4, 2, 'F'});
  }
  int number = 0;
  for (std::size_t k = 0; k < ch.n; ++k) list[ch.first + k * 8] = std::to_string(++number);
  for (std::size_t k = 0; k < pid.n; ++k) list[pid.first + k * 10] = std::to_string(++number);
  number = 0;
  for (std::size_t k = 0; k < an.n; ++k) list[an.first + k * 18] = std::to_string(++number);
  return list;
}

// Lists full of ties and near-ties: few satellites written in several ways,
// types and names differing only in case or blanks, shared frequencies and
// bouquets, TPs that are missing, names too long to be trimmed.
LineList TiedList(std::mt19937& random, std::size_t size) {
  auto pick = [&](std::initializer_list<std::string> words) { return *(words.begin() + random() % words.size()); };
  const std::string longName = "  " + std::string(300, 'q') + " ";
  auto name = [&] {
    return pick({"A", "a", " a", "A ", "B", "b", "AB", "ab c", "AB C", "--", "Zz", "\xC4x", "\xE4x", longName,
                 longName.substr(2)});
  };
  auto count = [&] { return random() % (size + 1); };
  LineList list = {"SATELLITE START"};
  for (const char* sat : {"1", "2", "10"}) list.insert(list.end(), {sat, "SAT", "N", "10600", "9750", "0", "0"});
  list.insert(list.end(), {"SATELLITE END", "DIGITAL START"});
  for (const char* tp : {"1", "2", "3", "4", "5", "6"}) {
    list.insert(list.end(), {tp, pick({"1", "2", "10"}), pick({"11778", "10832", "11778", "3800", "x", " 10832"}),
                             "27500", "H", pick({"NEWS", "news", " NEWS", "SPORT", "sport ", ""})});
  }
  list.insert(list.end(), {"DIGITAL END", "CHANNEL START"});
  auto sat = [&] { return pick({"1", "2", "10", " 2", "02", "+10", "x", "-1", "2x"}); };
  auto type = [&] { return pick({"TV", "RADIO", "tv", " TV", "Radio", "RADIO "}); };
  auto tp = [&] { return pick({"1", "2", "3", "4", "5", "6", "7", "01"}); };
  for (std::size_t k = count(); k > 0; --k)
    list.insert(list.end(), {"0", tp(), sat(), "0001", type(), name(), "1", "N"});
  list.push_back("CHANNEL END");
  if (random() % 8 != 0) {
    list.push_back("CHANNEL_PID START");
    for (std::size_t k = count(); k > 0; --k) {
      list.insert(list.end(), {"0", tp(), sat(), type(), name(), "100", "101", "100", "1", "N"});
    }
    list.push_back("CHANNEL_PID END");
  }
  if (random() % 8 != 0) {
    list.push_back("ANALOG START");
    for (std::size_t k = count(); k > 0; --k) {
      list.insert(list.end(), {"0", sat(), pick({"11000", "10950", "11000", "x", "0"}), "KU", name(), "27MHz", "H", "1",
                               "5", "CVBS", "STEREO", "6.50", "6.50", "130", "N", "U50", type(), "N"});
    }
    list.push_back("ANALOG END");
  }
  return list;
}

bool SameRows(const LineList& list, const RowTable& now, const RowTable& built) {
  if (now.RowCount() != built.RowCount()) return false;
  for (std::size_t r = 0; r < now.RowCount(); ++r) {
    for (int c = 0; c < now.Width(); ++c) {
      if (now.Cell(list, r, c) != built.Cell(list, r, c)) return false;
    }
  }
  return true;
}

bool RowsMatchList(const ListViewModel& model) {
  RowTables fresh;
  RebuildRowTables(model.list, fresh);
  return fresh.channelRows == model.rows.channelRows && SameRows(model.list, model.rows.digital, fresh.digital) &&
         SameRows(model.list, model.rows.analog, fresh.analog);
}

TEST_F(Sorting, ExchangeSortOrderIsTheOrderTheExchangeSortLeaves) {
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    const std::size_t n = round < 19990 ? random() % 40 : 2000;
    const std::uint32_t distinct = 1 + random() % 5;
    std::vector<std::uint32_t> ranks(n);
    for (auto& rank : ranks) rank = random() % distinct;
    std::vector<std::uint32_t> places(n);
    for (std::uint32_t k = 0; k < n; ++k) places[k] = k;
    std::vector<std::uint32_t> sorted = ranks;
    for (std::size_t i = 0; i + 1 < n; ++i) {
      for (std::size_t j = i + 1; j < n; ++j) {
        if (sorted[j] < sorted[i]) {
          std::swap(sorted[i], sorted[j]);
          std::swap(places[i], places[j]);
        }
      }
    }
    ASSERT_EQ(ExchangeSortOrder(ranks), places) << "round " << round;
  }
  // Equal records are not kept in order: B1, B2, A end as A, B2, B1.
  EXPECT_EQ(ExchangeSortOrder(std::vector<std::uint32_t>{1, 1, 0}), (std::vector<std::uint32_t>{2, 1, 0}));
}

TEST_F(Sorting, RandomListsSortExactlyAsTheProcedureDoes) {
  std::mt19937 random(11);
  for (int round = 0; round < 400; ++round) {
    const LineList list = TiedList(random, round % 50 == 0 ? 300 : 30);
    for (int mode = 1; mode <= 3; ++mode) {
      ListViewModel model = ModelOf(list);
      const LineList expected = ReferenceSort(model, mode);
      SortChannels(model, static_cast<SortMode>(mode));
      ASSERT_EQ(model.list, expected) << "round " << round << ", mode " << mode;
      ASSERT_TRUE(RowsMatchList(model)) << "round " << round << ", mode " << mode;
    }
  }
}

TEST_F(Sorting, OrdersBySatelliteNumberTypeAndTheModesKey) {
  const std::string text = CrLfLines({
      "[SATELLITE]",
      "1  \"AURORA\" N 10600 9750 0 0",
      "2  \"BOREAL\" N 10600 9750 1 0",
      "10 \"CASSIO\" N 10600 9750 2 0",
      "[DIGITAL TP]",
      "1 1 11778 27500 H \"NEWS\"",
      "2 1 10832 27500 V \"SPORT\"",
      "3 2 11000 27500 H \"MIX\"",
      "4 10 12000 27500 H \"MIX\"",
      "5 1 12500 27500 H \"ARTS\"",
      "[DIGITAL CHANNEL]",
      "1 3 2  0001 TV    \"B\" 1 N",
      "2 1 1  0002 RADIO \"Z\" 1 N",
      "3 1 1  0003 TV    \"A\" 1 N",
      "4 4 10 0004 TV    \"C\" 1 N",
      "5 2 1  0005 TV    \"M\" 1 N",
      "6 5 1  0006 TV    \"K\" 1 N",
      "[DIGITAL PID CHANNEL]",
      "7 3 2 TV \"Q\" 100 101 100 1 N",
      "8 1 1 TV \"P\" 100 101 100 1 N",
      "9 1 1 RADIO \"O\" 100 101 100 1 N",
      "[ANALOG TP]",
      "1 1 11500 KU \"ANA\" 27MHz H 1 5 CVBS STEREO 6.50 6.50 130 N U50 TV N",
      "2 10 11000 KU \"CNA\" 27MHz H 1 5 CVBS STEREO 6.50 6.50 130 N U50 TV N",
      "3 1 10950 KU \"BNA\" 27MHz H 1 5 CVBS STEREO 6.50 6.50 130 N U50 TV N",
      "[END]",
  });
  // Index and name of every record of a section, in order.
  auto numbered = [](const ListViewModel& model, const std::string& word, std::size_t stride, std::size_t name) {
    std::string out;
    auto it = std::find(model.list.begin(), model.list.end(), word + " START") + 1;
    for (; *it != word + " END"; it += static_cast<std::ptrdiff_t>(stride))
      out += *it + *(it + static_cast<std::ptrdiff_t>(name)) + " ";
    return out;
  };
  struct Expected {
    SortMode mode;
    const char *channels, *pids, *analog, *firstFrequency;
  };
  // A, M and K share satellite 1 and type TV: A on 11778 MHz and NEWS, M on
  // 10832 MHz and SPORT, K on 12500 MHz and ARTS.
  for (const Expected& e :
       {Expected{SortMode::Name, "1A 2K 3M 4Z 5B 6C ", "7P 8O 9Q ", "1ANA 2BNA 3CNA ", "11778"},
        Expected{SortMode::Frequency, "1M 2A 3K 4Z 5B 6C ", "7P 8O 9Q ", "1BNA 2ANA 3CNA ", "10832"},
        Expected{SortMode::Bouquet, "1K 2A 3M 4Z 5B 6C ", "7P 8O 9Q ", "1BNA 2ANA 3CNA ", "12500"}}) {
    ListViewModel model = ModelFromText(text);
    model.shownSection = 2;
    SortChannels(model, e.mode);
    EXPECT_EQ(numbered(model, "CHANNEL", 8, 5), e.channels);
    EXPECT_EQ(numbered(model, "CHANNEL_PID", 10, 4), e.pids);
    EXPECT_EQ(numbered(model, "ANALOG", 18, 4), e.analog);
    EXPECT_TRUE(model.modified);
    EXPECT_EQ(model.shownSection, 2);
    EXPECT_EQ(model.rows.digital.Cell(model.list, 0, 11), e.firstFrequency);
  }
}

TEST_F(Sorting, EqualKeysIgnoreCaseAndBlanksButNotTheirOrder) {
  // " ABC"/TV and abc/tv are equal keys; the smaller ab swaps with the first.
  LineList list = {"SATELLITE START", "1", "S", "N", "10600", "9750", "0", "0", "SATELLITE END", "CHANNEL START"};
  for (const auto& [name, type] : {std::pair{" ABC", "TV"}, {"abc", "tv"}, {"ab", "TV"}}) {
    list.insert(list.end(), {"0", "1", "1", "0001", type, name, "1", "N"});
  }
  list.push_back("CHANNEL END");
  ListViewModel model = ModelOf(list);
  SortChannels(model, SortMode::Name);
  EXPECT_EQ(model.list[15], "ab");
  EXPECT_EQ(model.list[23], "abc");
  EXPECT_EQ(model.list[31], " ABC");
}

TEST_F(Sorting, SortingASortedListChangesOnlyTheNumbering) {
  ListShape shape;
  shape.satellites = 4;
  shape.tps = 12;
  shape.channels = 400;
  shape.pidChannels = 30;
  shape.analogTps = 50;
  for (SortMode mode : {SortMode::Name, SortMode::Frequency, SortMode::Bouquet}) {
    ListViewModel model = ModelFromShape(shape);
    SortChannels(model, mode);
    EXPECT_TRUE(model.modified);
    const LineList sorted = model.list;

    model.modified = false;
    SortChannels(model, mode);
    EXPECT_EQ(model.list, sorted);
    EXPECT_FALSE(model.modified);

    model.list[1 + std::find(model.list.begin(), model.list.end(), "CHANNEL START") - model.list.begin()] = "77";
    SortChannels(model, mode);
    EXPECT_EQ(model.list, sorted);
    EXPECT_TRUE(model.modified);
  }
  ListViewModel empty;
  SortChannels(empty, SortMode::Name);
  EXPECT_TRUE(empty.list.empty());
  EXPECT_FALSE(empty.modified);
}

}  // namespace
}  // namespace chanora::testing
