#include "tests/cli/cli_fixture.h"

namespace chanora::testing {
namespace {

using Cli = CliTest;

TEST_F(Cli, CheckSumsUpAGoodListAndNamesTheLineOfABadOne) {
  WriteBytes(dir.File("demo.txt"), DemoListBytes());
  CliRun run = Run("check demo.txt");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("digital channels       27"), std::string::npos) << run.out;

  run = Run("check demo.txt --max-satellites 40");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "\n ERROR : SYNTAX - Number of SAT NAME should be 40 !!!\nline number 41 \n");
  EXPECT_EQ(run.out, "");

  run = Run("check missing.txt");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Can't open Input file : missing.txt\n\n");
}

TEST_F(Cli, FormatWritesBesideOrOverTheListKeepingItsBackup) {
  std::string loose = DemoListBytes();
  loose.replace(loose.find("1      \"AURORA 1\"       "), 24, "1 \"AURORA 1\"");
  WriteBytes(dir.File("demo.txt"), loose);

  CliRun run = Run("format demo.txt -o out.txt");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("out.txt")), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("demo.txt")), loose);

  run = Run("format demo.txt");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("demo.txt")), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("demo.bak")), loose);

  run = Run("format demo.txt -o out.dat");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Extention Name must be 'txt' \nERROR!!! Saving not Complete\n");
}

TEST_F(Cli, CompileWritesHexAndPacketFilesBesideTheList) {
  WriteBytes(dir.File("demo.txt"), DemoListBytes());
  CliRun run = Run("compile demo.txt");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "Conversion is terminated successfully.\n\n");
  EXPECT_EQ(ReadBytes(dir.File("demo.txt")), DemoListBytes());
  const std::string bin = ReadBytes(dir.File("demo.bin"));
  EXPECT_EQ(bin.substr(0, 2), "\x55\xAA");

  std::remove(dir.File("demo.bin").c_str());
  run = Run("convert demo.hex");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("demo.bin")), bin);

  run = Run("compile demo.txt --preinstalled --split");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("demo.hex")).substr(0, 8), "7FF10000");

  WriteBytes(dir.File("bad.txt"), "\r\n1 2 3\r\n");
  run = Run("compile bad.txt");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "\n ERROR : INVALID state !!!\n           line number 2 \nMaking a HEX file is failed!\n");
}

TEST_F(Cli, RefusesBadUsageWithStatusTwo) {
  for (const char* arguments : {"", "frobnicate x.txt", "check", "check a.txt b.txt", "check a.txt --max-satellites 33",
                                "format a.txt -o", "check a.txt --colour", "compile a.txt --split", "convert a.txt"}) {
    CliRun run = Run(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_FALSE(run.err.empty()) << arguments;
  }
  CliRun run = Run("--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("chanora-cli format LIST.txt"), std::string::npos);
  run = Run("check --help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Usage: chanora-cli check LIST.txt"), std::string::npos);
}

TEST_F(Cli, SortWritesTheSortedListBesideOrOverTheList) {
  WriteBytes(dir.File("demo.txt"), DemoListBytes());
  CliRun run = Run("sort demo.txt --by name -o out.txt");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "out.txt written\n");
  const std::string byName = ReadBytes(dir.File("out.txt"));
  EXPECT_NE(byName.find("\r\n1      1      0      1003     TV       \"Aurora Kids\""), std::string::npos);
  EXPECT_NE(byName.find("\r\n9      6      1      6F01     TV       \"Boreal Free\""), std::string::npos);
  EXPECT_EQ(ReadBytes(dir.File("demo.txt")), DemoListBytes());

  run = Run("sort demo.txt --by frequency");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(ReadBytes(dir.File("demo.txt")).find("\r\n9      4      1      0C81     TV       \"City 24\""),
            std::string::npos);
  EXPECT_EQ(ReadBytes(dir.File("demo.bak")), DemoListBytes());

  for (const char* arguments : {"sort demo.txt", "sort demo.txt --by colour", "sort demo.txt --by Name"}) {
    run = Run(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_NE(run.err.find("--by takes name, frequency or bouquet"), std::string::npos) << arguments;
  }
  run = Run("sort missing.txt --by bouquet");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Can't open Input file : missing.txt\n\n");
}

}  // namespace
}  // namespace chanora::testing
