// Comparing lists record by record and taking a reference list's order.

#include <gtest/gtest.h>

#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "editor/sorting.h"
#include "listmatch/list_compare.h"
#include "listmatch/reorder_like.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "textformat/fields.h"
#include "textformat/reader.h"

namespace chanora::testing {
namespace {

LineList DemoList() {
  RecordingReporter reporter;
  LineList list;
  bool dropped = false;
  EXPECT_TRUE(ReadListText(DemoListBytes(), list, reporter, dropped));
  return list;
}

std::size_t ChannelStart(const LineList& list, std::size_t record) {
  return SectionMap(list).RecordStart(SectionKind::Channel, record);
}

std::vector<std::pair<ChangeType, std::size_t>> Kinds(const ListComparison& c, ItemKind kind) {
  std::vector<std::pair<ChangeType, std::size_t>> found;
  for (const Difference& d : c.differences) {
    if (d.kind == kind) found.emplace_back(d.type, d.type == ChangeType::Added ? d.positionB : d.positionA);
  }
  return found;
}

TEST(CompareLists, SameListHasNoDifferencesAndAnInsertionMovesNothing) {
  const LineList a = DemoList();
  EXPECT_TRUE(CompareLists(a, a).Same());

  // The third channel gone, the fifth's name and blank changed: the channels
  // after the gap keep their order, so none has moved.
  LineList b = a;
  b[ChannelStart(b, 4) + channel_field::kName] = "Nordic Doc";
  const auto third = b.begin() + static_cast<std::ptrdiff_t>(ChannelStart(b, 2));
  b.erase(third, third + 8);
  const ListComparison c = CompareLists(a, b);
  EXPECT_EQ(Kinds(c, ItemKind::Channel),
            (std::vector<std::pair<ChangeType, std::size_t>>{{ChangeType::Removed, 3}, {ChangeType::Changed, 5}}));
  ASSERT_EQ(c.differences.size(), 2u);
  ASSERT_EQ(c.differences[1].fields.size(), 1u);
  EXPECT_EQ(c.differences[1].fields[0].after, "Nordic Doc");
  EXPECT_EQ(c.differences[1].positionB, 4u);
}

TEST(CompareLists, RepeatedIdentitiesAreMatchedInOrderAndCounted) {
  const LineList a = DemoList();
  LineList b = a;
  // A second copy of the first channel, with another name, at the end.
  const std::size_t end = SectionMap(b).Span(SectionKind::Channel)->end;
  std::vector<std::string> copy(b.begin() + static_cast<std::ptrdiff_t>(ChannelStart(b, 0)),
                                b.begin() + static_cast<std::ptrdiff_t>(ChannelStart(b, 0) + 8));
  copy[channel_field::kName] = "Aurora Copy";
  b.insert(b.begin() + static_cast<std::ptrdiff_t>(end), copy.begin(), copy.end());
  const ListComparison c = CompareLists(a, b);
  EXPECT_EQ(c.repeatedInA, 0u);
  EXPECT_EQ(c.repeatedInB, 1u);
  // The first stays matched with the first; the copy is the one added.
  EXPECT_EQ(Kinds(c, ItemKind::Channel), (std::vector<std::pair<ChangeType, std::size_t>>{{ChangeType::Added, 28}}));
}

TEST(OrderLikeReference, TakesTheReferenceOrderFallsBackToTheNameAndIsUndone) {
  const LineList reference = DemoList();
  LineList sorted = reference;
  // A channel whose service id changed is still found by satellite and name.
  sorted[ChannelStart(sorted, 1) + channel_field::kServiceId] = "1FFF";
  ListViewModel model;
  model.Reset(sorted);
  SortChannels(model, SortMode::Name);
  const LineList before = model.List();
  ASSERT_NE(before, sorted);

  EXPECT_EQ(OrderLikeReference(model, reference), 35u);
  EXPECT_EQ(model.List(), sorted);
  EXPECT_EQ(model.History().MenuText(), "Undo (1 - Like Reference List)");
  EXPECT_TRUE(model.Undo());
  EXPECT_EQ(model.List(), before);

  // A list in the reference's order already records nothing; channels the
  // reference lacks follow the others.
  ListViewModel model2;
  model2.Reset(reference);
  EXPECT_EQ(OrderLikeReference(model2, reference), 35u);
  EXPECT_FALSE(model2.History().UndoAvailable());
  LineList fewer = reference;
  const auto first = fewer.begin() + static_cast<std::ptrdiff_t>(ChannelStart(fewer, 0));
  fewer.erase(first, first + 8);
  EXPECT_EQ(OrderLikeReference(model2, fewer), 34u);
  const SectionMap sections(model2.List());
  const std::size_t last = sections.RecordStart(SectionKind::Channel, 26);
  EXPECT_EQ(model2.List()[ChannelStart(model2.List(), 0) + channel_field::kName], "Aurora Two");
  EXPECT_EQ(model2.List()[last + channel_field::kName], "Aurora One");
  EXPECT_EQ(model2.List()[last + channel_field::kIndex], "27");
}

}  // namespace
}  // namespace chanora::testing
