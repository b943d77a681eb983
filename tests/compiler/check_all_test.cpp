// Listing every problem of a list at once: a failed record is set aside as if
// it were absent, and only an unreadable line ends the list.

#include "tests/compiler/compiler_fixture.h"

namespace chanora::testing {
namespace {

std::vector<CheckProblem> AllProblems(const std::string& bytes) {
  RecordingReporter reporter;
  return FindAllProblems(bytes, 32, reporter);
}

std::string FirstStoppingMessage(const std::string& bytes) {
  Pass pass = RunPass(bytes, CompileMode::Basic);
  return pass.reporter.messages.empty() ? std::string() : pass.reporter.messages.front();
}

TEST(CheckAll, FirstProblemIsTheOneThePlainCheckShowsAtTheSameLine) {
  const std::vector<ListEdit> lists = {
      ListEdit().Replace(10, "4      \"BOREAL 3\""),                                // name index
      ListEdit().Replace(61, "2      0      121870   27500    H   \"NORDIC MIX\""),  // frequency
      ListEdit().Replace(81, "3      1      0      1003     TVX      \"Kids\"  1  N"),
      ListEdit().Replace(114, "29     11     4      TV  \"Feed C\" 513 660 513 1 Q"),
      ListEdit().Replace(62, "3 0 11954 27500 H \"open").Replace(90, "12 5 1 5E11 TV \"Two\" 1 X"),
      ListEdit().Insert(1, "1 2 3"),
  };
  for (const ListEdit& edit : lists) {
    const std::string bytes = edit.Bytes();
    const std::vector<CheckProblem> problems = AllProblems(bytes);
    ASSERT_FALSE(problems.empty());
    const std::string shown = FirstStoppingMessage(bytes);
    EXPECT_EQ(problems.front().message, shown);
    EXPECT_NE(shown.find("line number " + std::to_string(problems.front().line)), std::string::npos) << shown;
  }
  EXPECT_TRUE(AllProblems(DemoListBytes()).empty());
}

TEST(CheckAll, GoesOnAsIfAFailedRecordWereAbsent) {
  // TP 2 fails after it was counted and mapped: the channels on it then name
  // an unknown TP, and a later TP may take its index. A satellite that fails
  // after it was unskipped leaves its TPs passed over, not checked.
  const std::string bytes = ListEdit()
                                .Replace(61, "2      0      121870   27500    H   \"NORDIC MIX\"")
                                .Replace(62, "2      0      11954    27500    H   \"AURORA RADIO\"")
                                .Replace(51, "4      \"ORION BLUE\"     N   515     5150     4     282")
                                .Replace(86, "8      3      0      3103     RADIO    \"Jazz Lounge\"  1  X")
                                .Bytes();
  const std::vector<CheckProblem> problems = AllProblems(bytes);
  std::vector<int> lines;
  for (const CheckProblem& problem : problems) lines.push_back(problem.line);
  // 51 LNB (satellite 4's records then pass over), 61 frequency; line 62
  // took index 2, so the channels of TP 3 name an unknown TP, and line 86
  // shows its blank, the earlier check.
  EXPECT_EQ(lines, (std::vector<int>{51, 61, 84, 85, 86}));
  EXPECT_EQ(problems[1].message, Msg("\n\n\n ERROR : SYNTAX - D_TP frequency !!!.\n           line number %d ", 61));
  EXPECT_EQ(problems[2].message, Msg(kTpUnknown, 84));
  EXPECT_EQ(problems[4].message, Msg(kBlank, 86));
}

TEST(CheckAll, AFailedSatelliteNameKeepsItsPlaceInTheNumbering) {
  // One name too long is one problem, not one for every name after it.
  for (int line : {10, 39}) {
    const std::string bytes = ListEdit().Replace(line, "3      \"A NAME FAR TOO LONG\"").Bytes();
    const std::vector<CheckProblem> problems = AllProblems(bytes);
    ASSERT_EQ(problems.size(), 1u) << line;
    EXPECT_EQ(problems[0].line, line);
  }
}

TEST(CheckAll, AnUnreadableLineEndsTheListAfterBeingListed) {
  const std::string openQuote = ListEdit()
                                    .Replace(60, "1      0      11778    27500    V   \"AURORATV")
                                    .Replace(90, "12 5 1 5E11 TV \"Two\" 1 X")
                                    .Bytes();
  std::vector<CheckProblem> problems = AllProblems(openQuote);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].message, Msg(kBadLine, 60));

  // A list one name short ends at the satellites.
  problems = AllProblems(ListEdit().Replace(39, "").Bytes());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].message, Msg(kNameCount, 32, 41));

  problems = AllProblems(ListEdit().Insert(117, "[DIGITAL TP]").Replace(90, "12 5 1 5E11 TV \"Two\" 1 X").Bytes());
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[1].line, 117);
}

TEST(CheckAll, RepeatedAnalogIndexIsListedThoughTheCompileShowsNoMessage) {
  const std::string bytes =
      ListEdit()
          .Replace(124,
                   "1      0      11391    KU       \"Nordic Pop\"     27MHz    H   1      5      DEEMP_CVBS MONO_LEFT    "
                   "7.02     7.20     130      N   U50      TV       N")
          .Bytes();
  EXPECT_EQ(FirstStoppingMessage(bytes), "");
  const std::vector<CheckProblem> problems = AllProblems(bytes);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].line, 124);
  EXPECT_NE(problems[0].message.find("same A_TP INDEX"), std::string::npos);
}

}  // namespace
}  // namespace chanora::testing
