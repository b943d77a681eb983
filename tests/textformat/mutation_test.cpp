#include <random>

#include "compiler/check_pass.h"
#include "tests/textformat/textformat_fixture.h"

namespace chanora::testing {
namespace {

// Damages a list the way files get damaged: bytes changed, lost, doubled,
// line ends moved, quotes and brackets dropped in.
std::string Mutate(std::string bytes, std::mt19937& random) {
  static constexpr char kNasty[] = {'"', '[', ']', '#', '\r', '\n', ' ', '~', '\0', '\t', 'Y', '0', '9', '\xff'};
  const int edits = 1 + static_cast<int>(random() % 6);
  for (int i = 0; i < edits && !bytes.empty(); ++i) {
    const std::size_t at = random() % bytes.size();
    switch (random() % 5) {
      case 0:
        bytes[at] = static_cast<char>(random());
        break;
      case 1:
        bytes[at] = kNasty[random() % sizeof(kNasty)];
        break;
      case 2:
        bytes.erase(at, 1 + random() % 40);
        break;
      case 3:
        bytes.insert(at, bytes.substr(at, random() % 600));
        break;
      case 4:
        bytes.insert(at, 1, kNasty[random() % sizeof(kNasty)]);
        break;
    }
  }
  return bytes;
}

TEST_F(TextFormatTest, MutatedListsNeverCrashTheChecksOrTheReader) {
  const std::string demo = DemoListBytes();
  std::mt19937 random(20261206);
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::string bytes = Mutate(demo, random);
    for (CompileMode mode : {CompileMode::Basic, CompileMode::Normal}) {
      NullImageBuilder builder;
      CheckPass pass(mode, 32, round % 2 == 0, builder, reporter);
      if (pass.Run(bytes) && mode == CompileMode::Basic) {
        ++accepted;
        Read(bytes);
        EXPECT_TRUE(readOk) << "a list that passed the checks must read";
      }
    }
    reporter.messages.clear();
  }
  EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace chanora::testing
