#include "editor/sorting.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <random>

#include "editor/channel_records.h"
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

std::string TextOf(std::string text) {
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
bool ComesFirst(const Strings& c, std::size_t i, std::size_t j, const KeyCells& k) {
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

void ExchangeSort(Strings& cells, std::size_t first, std::size_t stride, std::size_t n, const KeyCells& keys) {
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      const std::size_t ri = first + i * stride, rj = first + j * stride;
      if (!ComesFirst(cells, ri, rj, keys)) continue;
      for (std::size_t c = 0; c < stride; ++c) std::swap(cells[ri + c], cells[rj + c]);
    }
  }
}

LineList ReferenceSort(const ListViewModel& model, int mode) {
  LineList list = model.List();
  // First cell and record count of a section.
  auto find = [&](const std::string& word, std::size_t stride) -> std::pair<std::size_t, std::size_t> {
    auto start = std::find(list.begin(), list.end(), word + " START");
    auto end = std::find(list.begin(), list.end(), word + " END");
    if (start == list.end() || end == list.end()) return {0, 0};
    return {static_cast<std::size_t>(start - list.begin()) + 1, static_cast<std::size_t>(end - start - 1) / stride};
  };
  const auto [ch, chN] = find("CHANNEL", 8);
  const auto [pid, pidN] = find("CHANNEL_PID", 10);
  const auto [an, anN] = find("ANALOG", 18);
  if (mode == 1) {
    ExchangeSort(list, ch, 8, chN, {2, 4, 5, 0, 'N'});
    ExchangeSort(list, pid, 10, pidN, {2, 3, 4, 0, 'N'});
    ExchangeSort(list, an, 18, anN, {1, 16, 4, 0, 'N'});
  } else {
    Strings rows;
    const RowTable& digital = model.Rows().digital;
    for (std::size_t r = 0; r < digital.RowCount(); ++r) {
      for (std::size_t c = 0; c < 20; ++c) rows.emplace_back(digital.Cell(model.List(), r, c));
    }
    const KeyCells keys{2, 4, 5, mode == 2 ? 11u : 14u, mode == 2 ? 'F' : 'B'};
    ExchangeSort(rows, 0, 20, chN, keys);
    ExchangeSort(rows, chN * 20, 20, pidN, keys);
    for (std::size_t k = 0; k < chN; ++k) {
      for (std::size_t c = 0; c <= 5; ++c) list[ch + k * 8 + c] = rows[k * 20 + c];
      list[ch + k * 8 + 6] = rows[k * 20 + 9];
      list[ch + k * 8 + 7] = rows[k * 20 + 10];
    }
    for (std::size_t k = 0; k < pidN; ++k) {
      const std::size_t row = (chN + k) * 20;
      for (std::size_t c = 0; c <= 2; ++c) list[pid + k * 10 + c] = rows[row + c];
      for (std::size_t c = 3; c <= 9; ++c) list[pid + k * 10 + c] = rows[row + c + 1];
    }
    ExchangeSort(list, an, 18, anN, {1, 16, 4, 2, 'F'});
  }
  RenumberChannels(list, SectionMap(list));
  return list;
}

// Lists full of ties and near-ties: satellites written in several ways, types
// and names differing only in case or blanks, shared frequencies and
// bouquets, missing TPs, names too long to be trimmed. Index cells are all 0.
LineList TiedList(std::mt19937& random, std::size_t size) {
  auto pick = [&](std::initializer_list<std::string> words) { return *(words.begin() + random() % words.size()); };
  const std::string longName = "  " + std::string(300, 'q') + " ";
  auto name = [&] { return pick({"A", "a", " a", "A ", "b", "AB", "ab c", "AB C", "\xC4x", "\xE4x", longName, "qq"}); };
  auto sat = [&] { return pick({"1", "2", "10", " 2", "02", "+10", "x", "-1", "2x"}); };
  auto type = [&] { return pick({"TV", "RADIO", "tv", " TV", "Radio", "RADIO "}); };
  auto tp = [&] { return pick({"1", "2", "3", "4", "5", "6", "7", "01"}); };
  LineList list = {"SATELLITE START"};
  for (const char* s : {"1", "2", "10"}) list.insert(list.end(), {s, "SAT", "N", "10600", "9750", "0", "0"});
  list.insert(list.end(), {"SATELLITE END", "DIGITAL START"});
  for (const char* index : {"1", "2", "3", "4", "5", "6"}) {
    list.insert(list.end(), {index, pick({"1", "10"}), pick({"11778", "10832", "11778", "x", " 10832"}), "27500", "H",
                             pick({"NEWS", "news", " NEWS", "SPORT", ""})});
  }
  list.insert(list.end(), {"DIGITAL END", "CHANNEL START"});
  for (std::size_t k = random() % (size + 1); k > 0; --k) {
    list.insert(list.end(), {"0", tp(), sat(), "0001", type(), name(), "1", "N"});
  }
  list.push_back("CHANNEL END");
  if (random() % 8 != 0) {  // a section may be missing
    list.push_back("CHANNEL_PID START");
    for (std::size_t k = random() % (size + 1); k > 0; --k) {
      list.insert(list.end(), {"0", tp(), sat(), type(), name(), "100", "101", "100", "1", "N"});
    }
    list.push_back("CHANNEL_PID END");
  }
  if (random() % 8 != 0) {
    list.push_back("ANALOG START");
    for (std::size_t k = random() % (size + 1); k > 0; --k) {
      list.insert(list.end(), {"0", sat(), pick({"11000", "10950", "11000", "x"}), "KU", name(), "27MHz", "H", "1", "5",
                               "CVBS", "STEREO", "6.50", "6.50", "130", "N", "U50", type(), "N"});
    }
    list.push_back("ANALOG END");
  }
  return list;
}

// Every cell of both channel views, row by row.
inline Strings ViewCells(const ListViewModel& model) {
  Strings cells;
  for (const RowTable* rows : {&model.Rows().digital, &model.Rows().analog}) {
    for (std::size_t row = 0; row < rows->RowCount(); ++row) {
      for (std::size_t column = 0; column < rows->Width(); ++column) {
        cells.emplace_back(rows->Cell(model.List(), row, column));
      }
    }
  }
  return cells;
}

TEST_F(Sorting, RandomListsSortExactlyAsTheProcedureDoes) {
  std::mt19937 random(11);
  for (int round = 0; round < 400; ++round) {
    // Lists of one record a section: nothing moves.
    const LineList list = TiedList(random, round % 50 == 0 ? 300 : round % 10 == 1 ? 1 : 30);
    for (int mode = 1; mode <= 3; ++mode) {
      SCOPED_TRACE(::testing::Message() << "round " << round << ", mode " << mode);
      Start(list);  // numbered as a load numbers it
      const LineList expected = ReferenceSort(model, mode);
      ASSERT_EQ(SortChannels(model, static_cast<SortMode>(mode)), expected != original);
      ASSERT_EQ(model.List(), expected);
      ASSERT_EQ(model.Modified(), expected != original);
      EXPECT_EQ(model.History().UndoDepth(), 0u);
      // The rows show the sorted records with their own TPs and satellites.
      ASSERT_EQ(ViewCells(model), ViewCells(ModelOf(expected)));
      // A sorted list sorts to itself and is not changed by it.
      model.MarkSaved();
      ASSERT_FALSE(SortChannels(model, static_cast<SortMode>(mode)));
      ASSERT_EQ(model.List(), expected);
      ASSERT_FALSE(model.Modified());
    }
  }
}

}  // namespace
}  // namespace chanora::testing
