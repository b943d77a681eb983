#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/wine/wine_fixture.h"
#include "tools/list_generator.h"

namespace chanora::testing {
namespace {

using Arguments = std::vector<std::string>;

// Large files compared without printing them: their names, then where they part.
void ExpectSameFiles(const std::vector<std::pair<std::string, std::string>>& got,
                     const std::vector<std::pair<std::string, std::string>>& expected) {
  std::vector<std::string> gotNames, expectedNames;
  for (const auto& file : got) gotNames.push_back(file.first);
  for (const auto& file : expected) expectedNames.push_back(file.first);
  ASSERT_EQ(gotNames, expectedNames);
  for (std::size_t i = 0; i < got.size(); ++i) {
    const std::string& a = got[i].second;
    const std::string& b = expected[i].second;
    const auto parted = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    EXPECT_TRUE(a == b) << got[i].first << ": " << a.size() << " bytes against " << b.size() << ", parting at byte "
                        << (parted.first - a.begin());
  }
}

// The same work done by the Linux and the Windows chanora-cli, each in a
// folder of its own holding the same lists: every exit code, every byte
// printed and every file left behind must be the same.
class CliOutputs : public WineTest {
 protected:
  void ExpectSameOutputs(const std::vector<std::pair<std::string, std::string>>& lists,
                         const std::vector<Arguments>& steps) {
    const std::string linux = dir.File("linux"), windows = dir.File("windows");
    for (const std::string& folder : {linux, windows}) {
      std::filesystem::create_directory(folder);
      for (const auto& [name, bytes] : lists) WriteBytes(folder + "/" + name, bytes);
    }
    for (const Arguments& arguments : steps) {
      std::string shown;
      for (const std::string& word : arguments) shown += word + " ";
      SCOPED_TRACE("chanora-cli " + shown);
      std::vector<std::string> command{CHANORA_CLI_PATH};
      command.insert(command.end(), arguments.begin(), arguments.end());
      const ProgramRun expected = RunProgram(command, linux);
      const ProgramRun got = RunWindowsCli(arguments, windows);
      EXPECT_EQ(got.exitCode, expected.exitCode);
      EXPECT_EQ(got.out, expected.out);
      EXPECT_EQ(got.err, expected.err);
    }
    ExpectSameFiles(FolderFiles(windows), FolderFiles(linux));
  }
};

std::string DemoWith(const std::string& from, const std::string& to) {
  std::string text = DemoListBytes();
  text.replace(text.find(from), from.size(), to);
  return text;
}

TEST_F(CliOutputs, DemoListChecksFormatsSortsCompilesAndConvertsAlike) {
  ExpectSameOutputs({{"demo.txt", DemoListBytes()}, {"other.txt", DemoWith("\"AURORA 2\"", "\"AURORA 3\"")}},
                    {{"--version"},
                     {"check", "demo.txt"},
                     {"check", "demo.txt", "--all"},
                     {"format", "demo.txt", "-o", "formatted.txt"},
                     {"format", "demo.txt"},
                     {"sort", "demo.txt", "--by", "name", "-o", "by-name.txt"},
                     {"diff", "demo.txt", "other.txt"},
                     {"export", "demo.txt", "--view", "digital", "--format", "json", "-o", "digital.json"},
                     {"export", "demo.txt", "--view", "analog"},
                     {"compile", "demo.txt"},
                     {"convert", "demo.hex"},
                     {"compile", "other.txt", "--preinstalled", "--split"}});
}

TEST_F(CliOutputs, FaultyListsFailAlike) {
  ExpectSameOutputs({{"bad.txt", DemoWith("\"AURORA 2\"", "\"AURORA 2 IS TOO LONG\"")},
                     {"null.txt", DemoWith("1003", "0000")},
                     {"list.dat", DemoListBytes()}},
                    {{"check", "bad.txt"},
                     {"check", "bad.txt", "--all"},
                     {"compile", "bad.txt"},
                     {"check", "null.txt"},
                     {"compile", "null.txt"},
                     {"compile", "list.dat"},
                     {"check", "missing.txt"},
                     {"convert", "missing.hex"},
                     {"frobnicate"}});
}

TEST_F(CliOutputs, MaximalListAndUnicodeNamesCompileAlike) {
  ExpectSameOutputs({{"maximal.txt", GenerateListText(MaximalShape())}, {"Kanäle ünd Sätelliten.txt", DemoListBytes()}},
                    {{"check", "maximal.txt", "--max-satellites", "40"},
                     {"compile", "maximal.txt", "--max-satellites", "40"},
                     {"compile", "Kanäle ünd Sätelliten.txt"},
                     {"format", "Kanäle ünd Sätelliten.txt", "-o", "Ausgabe ß.txt"}});
}

}  // namespace
}  // namespace chanora::testing
