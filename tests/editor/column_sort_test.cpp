#include "editor/column_sort.h"

#include <algorithm>

#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using ColumnSort = EditorTest;

// The small list with names and service ids that sort differently as text
// and as numbers or by case, and a second PID channel.
LineList SortableList() {
  LineList list = SmallList();
  const SectionMap sections(list);
  const char* names[] = {"phoenix", "Das Erste", "ZDF RADIO"};
  const char* serviceIds[] = {"0010", "9", "00A0"};  // hex
  for (std::size_t k = 0; k < 3; ++k) {
    list[sections.RecordStart(SectionKind::Channel, k) + channel_field::kName] = names[k];
    list[sections.RecordStart(SectionKind::Channel, k) + channel_field::kServiceId] = serviceIds[k];
  }
  const auto pidEnd = std::find(list.begin(), list.end(), "CHANNEL_PID END");
  list.insert(pidEnd, {"5", "3", "1", "TV", "arte", "513", "651", "8190", "1", "N"});
  return list;
}

std::string Column(const ListViewModel& model, std::size_t column) {
  std::string cells;
  for (std::size_t row = 0; row < model.ShownRowCount(); ++row) {
    cells += model.ShownCell(row, static_cast<int>(column)) + "|";
  }
  return cells;
}

TEST_F(ColumnSort, NamesIgnoreCaseEachSectionWithinItselfRenumberedAndUndoable) {
  Start(SortableList());
  ASSERT_TRUE(SortByColumn(model, digital_row::kName, SortDirection::Ascending));
  EXPECT_EQ(Column(model, digital_row::kName), "Das Erste|phoenix|ZDF RADIO|arte|RAI UNO|");
  EXPECT_EQ(Column(model, digital_row::kIndex), "1|2|3|4|5|");
  EXPECT_EQ(model.History().MenuText(), "Undo (1 - Sort by column)");
  EXPECT_TRUE(model.Modified());

  ASSERT_TRUE(SortByColumn(model, digital_row::kName, SortDirection::Descending));
  EXPECT_EQ(Column(model, digital_row::kName), "ZDF RADIO|phoenix|Das Erste|RAI UNO|arte|");

  ASSERT_TRUE(model.Undo());
  ASSERT_TRUE(model.Undo());
  EXPECT_EQ(model.List(), original);
}

TEST_F(ColumnSort, NumbersAndHexServiceIdsCompareAsNumbersAndEqualCellsKeepTheirOrderBothWays) {
  Start(SortableList());
  ASSERT_TRUE(SortByColumn(model, digital_row::kServiceId, SortDirection::Ascending));
  EXPECT_EQ(Column(model, digital_row::kServiceId), "9|0010|00A0|||");

  // Two TV channels and a radio channel; the TV channels stay in their order.
  Start(SortableList());
  ASSERT_TRUE(SortByColumn(model, digital_row::kType, SortDirection::Ascending));
  EXPECT_EQ(Column(model, digital_row::kName), "ZDF RADIO|phoenix|Das Erste|RAI UNO|arte|");
  ASSERT_TRUE(SortByColumn(model, digital_row::kType, SortDirection::Descending));
  EXPECT_EQ(Column(model, digital_row::kName), "phoenix|Das Erste|ZDF RADIO|RAI UNO|arte|");
}

TEST_F(ColumnSort, SortsTheAnalogViewWhenItIsShown) {
  Start();
  model.showDigital = false;
  ASSERT_TRUE(SortByColumn(model, analog_field::kName, SortDirection::Descending));
  EXPECT_EQ(Column(model, analog_field::kName), "GAMMA|DELTA|Beta|ALPHA|");
  EXPECT_EQ(Column(model, analog_field::kIndex), "1|2|3|4|");

  LineList list = SmallList();
  list[RecordStart(list, SectionKind::Analog, 2) + analog_field::kSatIndex] = "10";  // GAMMA, after 9 as a number
  Start(list);
  model.showDigital = false;
  ASSERT_TRUE(SortByColumn(model, analog_field::kSatIndex, SortDirection::Descending));
  EXPECT_EQ(Column(model, analog_field::kName), "GAMMA|DELTA|ALPHA|Beta|");
}

TEST_F(ColumnSort, ChangesNothingInOrderAlreadyInASectionListOrPastTheColumns) {
  Start(SortableList());
  EXPECT_FALSE(SortByColumn(model, digital_row::kIndex, SortDirection::Ascending));
  EXPECT_FALSE(SortByColumn(model, digital_row::kWidth, SortDirection::Ascending));
  model.shownSection = SectionKind::Channel;
  EXPECT_FALSE(SortByColumn(model, digital_row::kName, SortDirection::Ascending));
  ExpectUnchanged();
}

TEST_F(ColumnSort, FindsRowsByAnyVisibleCellWithoutRegardToCase) {
  Start(SortableList());
  EXPECT_EQ(RowsContaining(model, "rAdIo"), (std::vector<std::size_t>{2}));
  EXPECT_EQ(RowsContaining(model, "rai"), (std::vector<std::size_t>{3, 4}));  // RAI UNO, and arte by its TP's bouquet
  EXPECT_EQ(RowsContaining(model, "11778"), (std::vector<std::size_t>{0}));  // a TP's frequency
  EXPECT_EQ(RowsContaining(model, "").size(), 5u);
  EXPECT_TRUE(RowsContaining(model, "no such text").empty());

  model.digitalWidths[digital_row::kName] = 0;  // a hidden column is not searched
  EXPECT_TRUE(RowsContaining(model, "phoenix").empty());

  model.shownSection = SectionKind::Satellite;
  EXPECT_EQ(RowsContaining(model, "hotbird"), (std::vector<std::size_t>{1}));
}

}  // namespace
}  // namespace chanora::testing
