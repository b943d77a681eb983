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

}  // namespace
}  // namespace chanora::testing
