// The commands that look at a list as a whole: every problem at once,
// comparing two lists, and taking a reference list's order.

#include "tests/cli/cli_fixture.h"

namespace chanora::testing {
namespace {

using ListTools = CliTest;

// The demo list with its text replaced where `from` first stands.
std::string DemoWith(std::string_view from, std::string_view to) {
  std::string bytes = DemoListBytes();
  bytes.replace(bytes.find(from), from.size(), to);
  return bytes;
}

TEST_F(ListTools, CheckAllListsEveryProblemOnItsLineThenTheCount) {
  WriteBytes(dir.File("demo.txt"), DemoListBytes());
  CliRun run = Run("check --all demo.txt");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "0 problems\n");

  std::string bad = DemoWith("N   11300    10750", "N   113      10750");
  bad.replace(bad.find("\"Metro TV\"       1      N"), 25, "\"Metro TV\"       1      Q");
  WriteBytes(dir.File("bad.txt"), bad);
  run = Run("check --all bad.txt");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "bad.txt:50: ERROR : SYNTAX - SAT LNB_HIGH frequency. 4 or 5 digit requested !!! line number 50\n"
            "bad.txt:88: ERROR : SYNTAX - blank !!! Y or N is OK. line number 88\n"
            "2 problems\n");
  // Plain check still stops at the first.
  run = Run("check bad.txt");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "\n ERROR : SYNTAX - SAT LNB_HIGH frequency. 4 or 5 digit requested !!!\n         line number 50 \n");

  run = Run("check --all missing.txt");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Can't open Input file : missing.txt\n\n");
}

TEST_F(ListTools, DiffReportsSameOrderOnlyAndRepeatedIdentities) {
  WriteBytes(dir.File("a.txt"), DemoListBytes());
  CliRun run = Run("diff a.txt a.txt --brief");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("digital channels     0 added     0 removed     0 changed     0 moved\n"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("the lists are the same\n"), std::string::npos);

  // Only the order differs: moves and nothing else.
  ASSERT_EQ(Run("sort a.txt --by name -o b.txt").status, 0);
  run = Run("diff a.txt b.txt");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("moved    digital channel \"Aurora Kids\" (AURORA 1 11778 V, service id 1003) from 3 to 1\n"),
            std::string::npos)
      << run.out;
  for (const char* other : {"\nadded ", "\nremoved ", "\nchanged "}) EXPECT_EQ(run.out.find(other), std::string::npos);

  // A second channel with the first one's identity is the one added, and counted.
  WriteBytes(dir.File("c.txt"), DemoWith("27     12     4", "28 1 0 1001 TV \"Again\" 1 N\r\n27     12     4"));
  run = Run("diff a.txt c.txt");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find("satellite names")),
            "added    digital channel 27 \"Again\" (AURORA 1 11778 V, service id 1001)\n");
  EXPECT_NE(run.out.find("repeated identities: 0 in a.txt, 1 in c.txt"), std::string::npos) << run.out;
}

TEST_F(ListTools, DiffAndReorderRefuseAListThatFailsTheChecks) {
  WriteBytes(dir.File("a.txt"), DemoListBytes());
  WriteBytes(dir.File("bad.txt"), DemoWith("N   11300    10750", "N   113      10750"));
  const std::string refusal =
      "\n ERROR : SYNTAX - SAT LNB_HIGH frequency. 4 or 5 digit requested !!!\n         line number 50 \n"
      "The Text Format is not correct\n";
  CliRun run = Run("diff a.txt bad.txt");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, refusal);
  EXPECT_EQ(run.out, "");

  run = Run("reorder a.txt --like bad.txt -o out.txt");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, refusal);
  EXPECT_FALSE(FileExists(dir.File("out.txt")));

  EXPECT_EQ(Run("reorder a.txt").status, 2);
  EXPECT_EQ(Run("diff a.txt").status, 2);
}

TEST_F(ListTools, ReorderTakesTheReferenceOrderAndWritesAsFormatDoes) {
  WriteBytes(dir.File("a.txt"), DemoListBytes());
  ASSERT_EQ(Run("sort a.txt --by name -o sorted.txt").status, 0);
  CliRun run = Run("reorder sorted.txt --like a.txt -o out.txt");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "35 of 35 channels matched the reference\nout.txt written\n");
  EXPECT_EQ(ReadBytes(dir.File("out.txt")), DemoListBytes());

  run = Run("reorder a.txt --like a.txt");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("a.txt")), DemoListBytes());
}

}  // namespace
}  // namespace chanora::testing
