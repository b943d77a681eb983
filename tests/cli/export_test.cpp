// export: one of the window's lists as CSV or JSON.

#include <filesystem>

#include "tests/cli/cli_fixture.h"

namespace chanora::testing {
namespace {

using Export = CliTest;

std::string DemoWithCommaInName() {
  std::string bytes = DemoListBytes();
  const std::string_view from = "\"Metro TV\"  ";
  bytes.replace(bytes.find(from), from.size(), "\"Metro, TV\" ");
  return bytes;
}

TEST_F(Export, WritesTheShownColumnsAsCsvQuotingCommas) {
  WriteBytes(dir.File("demo.txt"), DemoWithCommaInName());
  CliRun run = Run("export demo.txt --view digital");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.substr(0, run.out.find("2,1002")),
            "Number,SVC ID,Name,freqency,Symbol Rate,Polarization,Bouquet,Sat Name\r\n"
            "1,1001,Aurora One,11778,27500,V,AURORA TV,AURORA 1\r\n");
  EXPECT_NE(run.out.find("\r\n10,0C82,\"Metro, TV\",10719,27500,V,CITYNET,BOREAL 3\r\n"), std::string::npos);

  // To a file, the same bytes; the list itself is left as it was.
  run = Run("export demo.txt --view digital --format csv -o out.csv");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "out.csv written\n");
  EXPECT_EQ(ReadBytes(dir.File("out.csv")), Run("export demo.txt --view digital").out);
  EXPECT_EQ(ReadBytes(dir.File("demo.txt")), DemoWithCommaInName());
}

TEST_F(Export, WritesJsonObjectsKeyedByColumnTitle) {
  WriteBytes(dir.File("demo.txt"), DemoListBytes());
  const CliRun run = Run("export demo.txt --view names --format json");
  EXPECT_EQ(run.status, 0);
  const std::string first = "[\n  {\n    \"Index\": \"1\",\n    \"SAT Name\": \"AURORA 1\"\n  },\n";
  EXPECT_EQ(run.out.substr(0, first.size()), first);
  EXPECT_EQ(run.out.substr(run.out.size() - 4), "}\n]\n");
}

TEST_F(Export, RefusesUnknownViewsAndFormatsAndBadLists) {
  WriteBytes(dir.File("demo.txt"), DemoListBytes());
  CliRun run = Run("export demo.txt --view channels");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "chanora-cli: export: --view takes digital, analog, satellites, tps, pids or names\n");
  run = Run("export demo.txt --view tps --format xml -o out.xml");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "chanora-cli: export: --format takes csv or json\n");

  std::string bad = DemoListBytes();
  bad.replace(bad.find("N   11300    10750"), 18, "N   113      10750");
  WriteBytes(dir.File("bad.txt"), bad);
  run = Run("export bad.txt --view digital -o out.csv");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("line number 50"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.csv")));
}

}  // namespace
}  // namespace chanora::testing
