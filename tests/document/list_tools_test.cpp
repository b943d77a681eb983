// The document's commands over a second list, its export, and the problems
// of a list it refused.

#include <filesystem>

#include "document/list_tools.h"
#include "editor/sorting.h"
#include "tests/document/document_fixture.h"

namespace chanora::testing {
namespace {

using DocumentListTools = DocumentTest;

std::string DemoWith(std::string_view from, std::string_view to) {
  std::string bytes = DemoListBytes();
  bytes.replace(bytes.find(from), from.size(), to);
  return bytes;
}

TEST_F(DocumentListTools, KeepsEveryProblemOfARefusedListUntilTheNextOpen) {
  std::string bad = DemoWith("N   11300    10750", "N   113      10750");
  bad.replace(bad.find("\"Metro TV\"       1      N"), 25, "\"Metro TV\"       1      Q");
  const std::string badPath = dir.File("bad.txt");
  WriteBytes(badPath, bad);
  EXPECT_FALSE(OpenFile(badPath));
  ASSERT_EQ(reporter.messages.size(), 2u);  // the first problem, then that the list was refused
  ASSERT_EQ(document.RefusedProblems().size(), 2u);
  EXPECT_EQ(document.RefusedProblems()[0].message, reporter.messages[0]);
  EXPECT_EQ(document.RefusedPath(), badPath);
  EXPECT_EQ(ProblemsText(document.RefusedProblems(), "bad.txt"),
            "bad.txt:50: ERROR : SYNTAX - SAT LNB_HIGH frequency. 4 or 5 digit requested !!! line number 50\n"
            "bad.txt:88: ERROR : SYNTAX - blank !!! Y or N is OK. line number 88\n");

  EXPECT_TRUE(OpenFile(demoPath));
  EXPECT_TRUE(document.RefusedProblems().empty());
  EXPECT_FALSE(OpenFile(dir.File("missing.txt")));
  EXPECT_TRUE(document.RefusedProblems().empty());
}

TEST_F(DocumentListTools, ExportsTheShownListInTheFormatItsNameAsks) {
  ASSERT_TRUE(OpenFile(demoPath));
  document.Model().shownSection = SectionKind::SatName;
  dialog.Answer(dir.File("names.JSON"));
  ASSERT_TRUE(document.Export(dialog.Chooser()));
  ASSERT_EQ(dialog.requests.back().filters.size(), 2u);
  EXPECT_EQ(dialog.requests.back().filters[1].patterns[0], "*.json");
  EXPECT_EQ(ReadBytes(dir.File("names.JSON")).substr(0, 39), "[\n  {\n    \"Index\": \"1\",\n    \"SAT Name\":");

  dialog.Answer(dir.File("names.csv"));
  ASSERT_TRUE(document.Export(dialog.Chooser()));
  EXPECT_EQ(ReadBytes(dir.File("names.csv")).substr(0, 32), "Index,SAT Name\r\n1,AURORA 1\r\n2,AU");
  EXPECT_FALSE(document.Model().Modified());

  // Nowhere to write: told, and nothing else changes.
  dialog.Answer(dir.File("no/such/folder/x.csv"));
  EXPECT_FALSE(document.Export(dialog.Chooser()));
  EXPECT_EQ(reporter.messages.back(), "ERROR!!! Saving not Complete");
}

TEST_F(DocumentListTools, ComparesWithAChosenListAndFindsEachRecordInTheWindow) {
  ASSERT_TRUE(OpenFile(demoPath));
  std::string other = DemoWith("\"Metro TV\"  ", "\"Metro HD\"  ");
  const std::string feedC = "29     11     4      TV       \"Feed C\"";
  other.erase(other.find(feedC), other.find('\n', other.find(feedC)) + 1 - other.find(feedC));
  WriteBytes(dir.File("other.txt"), other);
  dialog.Answer(dir.File("other.txt"));
  const std::optional<ListComparison> comparison = document.CompareWith(dialog.Chooser());
  ASSERT_TRUE(comparison);
  ASSERT_EQ(comparison->differences.size(), 2u);

  const ListViewModel& model = document.Model();
  const std::vector<Column> columns = model.ShownColumns();
  int nameColumn = 0;
  while (columns[nameColumn].title != "Name" || columns[nameColumn].width == 0) ++nameColumn;
  for (const Difference& d : comparison->differences) {
    const std::optional<ListPlace> place = PlaceInFirstList(model, d);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->section, SectionKind::None);
    EXPECT_TRUE(place->digital);
    EXPECT_EQ(model.ShownCell(place->row, nameColumn), d.type == ChangeType::Changed ? "Metro TV" : "Feed C");
  }
  // A record only the other list has stands nowhere in this one.
  EXPECT_FALSE(PlaceInFirstList(model, Difference{ItemKind::Channel, ChangeType::Added, "x", 0, 3, {}}));
  EXPECT_EQ(PlaceInFirstList(model, Difference{ItemKind::Tp, ChangeType::Changed, "x", 2, 2, {}})->row, 1u);

  // A list that fails the checks is refused with its first problem.
  WriteBytes(dir.File("bad.txt"), DemoWith("N   11300    10750", "N   113      10750"));
  dialog.Answer(dir.File("bad.txt"));
  const State before = Snapshot();
  const std::size_t told = reporter.messages.size();
  EXPECT_FALSE(document.CompareWith(dialog.Chooser()));
  ASSERT_EQ(reporter.messages.size(), told + 2);
  EXPECT_NE(reporter.messages[told].find("line number 50"), std::string::npos);
  EXPECT_EQ(reporter.messages[told + 1], "The Text Format is not correct");
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(DocumentListTools, TakesAReferenceListsOrderForUndo) {
  ASSERT_TRUE(OpenFile(demoPath));
  const LineList original = document.Model().List();
  SortChannels(document.Model(), SortMode::Name);
  const LineList sorted = document.Model().List();
  ASSERT_NE(sorted, original);

  dialog.Answer(demoPath);
  EXPECT_EQ(document.OrderLikeReferenceList(dialog.Chooser()), 35u);
  EXPECT_EQ(reporter.messages.back(), "35 of 35 channels matched the reference list.");
  EXPECT_EQ(document.Model().List(), original);
  ASSERT_TRUE(document.Model().Undo());
  EXPECT_EQ(document.Model().List(), sorted);

  // Cancelled: nothing happens.
  EXPECT_FALSE(document.OrderLikeReferenceList(dialog.Chooser()));
  EXPECT_EQ(document.Model().List(), sorted);
}

}  // namespace
}  // namespace chanora::testing
