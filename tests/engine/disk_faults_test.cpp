#include <sys/stat.h>

#include "tests/engine/child_process.h"
#include "textformat/writer.h"

namespace chanora::testing {
namespace {

// Every file the engine writes, under a full disk, a read-only folder, a list
// that changed under it and names of every kind: a failure is told and
// returned as one, and neither the list nor its backup is ever lost.
class DiskFaults : public EngineTest {
 protected:
  // The list at `path` as loaded, with one name edited as a user would.
  static LineList Edited(ListEngine& engine, const std::string& path) {
    LineList list = engine.Load(path, 32).value_or(LoadedList{}).list;
    for (std::string& entry : list) {
      if (entry == "Orion Audio") entry = "Edited";  // an analog TP's name
    }
    return list;
  }

  // `operation` on an engine of its own with a disk that fills up one byte
  // before a file of `size` bytes is complete.
  static ChildOutcome WhenFullBefore(std::size_t size,
                                     const std::function<int(ListEngine&, RecordingReporter&)>& operation) {
    return RunInChild([size] { return LimitFileSize(size - 1); },
                      [&](RecordingReporter& child) {
                        ListEngine own(child);
                        return operation(own, child);
                      });
  }
};

TEST_F(DiskFaults, AFullDiskWhileSavingKeepsTheListAndItsBackup) {
  const std::string path = ListFile("list.txt", DemoListBytes());
  WriteBytes(dir.File("list.bak"), "previous backup");
  const LineList edited = Edited(engine, path);
  const std::size_t size = FormatListText(edited).size();
  auto save = [&](ListEngine& own, RecordingReporter&) { return own.Save(path, edited) ? 1 : 0; };
  EXPECT_EQ(WhenFullBefore(size, save), (ChildOutcome{0, {"Can't write file : " + path + "\n"}}));
  EXPECT_EQ(ReadBytes(path), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "previous backup");
  EXPECT_EQ(FolderNames(dir.path()), (Names{"list.txt", "list.bak"}));
}

TEST_F(DiskFaults, AFullDiskWhileCompilingLeavesNoOutputThatLooksValid) {
  const std::string path = ListFile("list.txt", DemoListBytes());
  WriteBytes(dir.File("list.bak"), "previous backup");
  const std::string hex = dir.File("list.hex"), bin = dir.File("list.bin");
  const LineList list = Edited(engine, path);
  auto preInstalled = [&](ListEngine& own, RecordingReporter&) {
    CompileOptions options;
    options.preInstalled = true;
    return own.CompileFile(path, options) ? 1 : 0;
  };
  auto basic = [&](ListEngine& own, RecordingReporter&) {
    return own.CompileFile(path, {}) && own.ConvertToPackets(path) ? 1 : 0;
  };
  auto fromMemory = [&](ListEngine& own, RecordingReporter&) {
    return own.CompileList(list, path, {}) && own.ConvertToPackets(path) ? 1 : 0;
  };
  auto convert = [&](ListEngine& own, RecordingReporter&) { return own.ConvertToPackets(path) ? 1 : 0; };

  ASSERT_EQ(preInstalled(engine, reporter), 1);
  EXPECT_EQ(WhenFullBefore(ReadBytes(hex).size(), preInstalled),
            (ChildOutcome{0, {"Can't open Output file : " + hex + "\n", "Making a HEX file is failed!"}}));
  EXPECT_FALSE(FileExists(hex) || FileExists(bin));
  const std::function<int(ListEngine&, RecordingReporter&)> compiles[] = {basic, fromMemory};
  for (const auto& compile : compiles) {
    ASSERT_EQ(compile(engine, reporter), 1);
    EXPECT_EQ(WhenFullBefore(ReadBytes(hex).size(), compile),
              (ChildOutcome{0, {"Can't open Output file : " + hex + "\n"}}));
    EXPECT_FALSE(FileExists(hex) || FileExists(bin));
  }
  ASSERT_EQ(basic(engine, reporter), 1);
  const std::string goodHex = ReadBytes(hex);
  EXPECT_EQ(WhenFullBefore(ReadBytes(bin).size(), convert), (ChildOutcome{0, {"Can't open  " + bin + " file \n"}}));
  EXPECT_EQ(ReadBytes(hex), goodHex);
  EXPECT_EQ(ReadBytes(dir.File("list.txt")), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "previous backup");
  EXPECT_EQ(FolderNames(dir.path()), (Names{"list.txt", "list.bak", "list.hex"}));
}

TEST_F(DiskFaults, AReadOnlyFolderRefusesTheSaveAndTheCompileClearly) {
  const std::string folder = dir.File("read-only"), path = folder + "/list.txt";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  WriteBytes(path, DemoListBytes());
  // Nobody must reach and read the list; only the folder itself is closed.
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755) | ::chmod(path.c_str(), 0644) | ::chmod(folder.c_str(), 0555), 0);
  ChildOutcome outcome = RunInChild(DropRootPrivileges, [&](RecordingReporter& child) {
    ListEngine own(child);
    const LineList list = Edited(own, path);
    return list.empty() ? 4 : (own.Save(path, list) ? 1 : 0) | (own.CompileFile(path, {}) ? 2 : 0);
  });
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(outcome,
            (ChildOutcome{
                0, {"Can't open .temp file : " + path + "\n", "Can't open Output file : " + folder + "/list.hex\n"}}));
  EXPECT_EQ(ReadBytes(path), DemoListBytes());
  EXPECT_EQ(FolderNames(folder), Names{"list.txt"});
}

TEST_F(DiskFaults, AListDeletedOrReplacedSinceLoadingIsStillSavedAsEdited) {
  const std::string path = ListFile("list.txt", DemoListBytes());
  WriteBytes(dir.File("list.bak"), "previous backup");
  const LineList edited = Edited(engine, path);
  std::filesystem::remove(path);
  EXPECT_TRUE(engine.Save(path, edited));
  EXPECT_EQ(ReadBytes(path), FormatListText(edited));
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "previous backup");
  WriteBytes(path, "another program's file");
  EXPECT_TRUE(engine.Save(path, edited));
  EXPECT_EQ(ReadBytes(path), FormatListText(edited));
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "another program's file");
  EXPECT_TRUE(reporter.messages.empty());

  // A folder in the list's place is the user's too: it is neither read as an
  // empty list nor moved aside by a save.
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  WriteBytes(path + "/notes", "kept");
  EXPECT_FALSE(engine.Load(path, 32));
  EXPECT_FALSE(engine.CompileFile(path, {}));
  EXPECT_FALSE(engine.Save(path, edited));
  EXPECT_EQ(reporter.messages,
            (Strings{"Can't open Input file : " + path + "\n", "Can't open Input file : " + path + "\n",
                     "Can't open .temp file : " + path + "\n"}));
  EXPECT_EQ(ReadBytes(path + "/notes"), "kept");
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "another program's file");
  EXPECT_EQ(FolderNames(dir.path()), (Names{"list.txt", "list.bak"}));
}

// Without its ".txt" a list still opens, but nothing is written beside it:
// a derived name could be the list itself or lie elsewhere.
TEST_F(DiskFaults, NamesOfEveryKindLoadSaveCompileAndConvert) {
  const std::pair<std::string, std::string> names[] = {
      // the name and its stem, or none
      {"Liste für Äther.txt", "Liste für Äther"},
      {"my list.TXT", "my list"},
      {"Mixed.Txt", "Mixed"},
      {"raw \xFF\xFE\x80 bytes.txt", "raw \xFF\xFE\x80 bytes"},
      {"list.dat", ""},
      {"list", ""},
      {"list.txt.old", ""},
      {"für.TXT~", ""},
  };
  for (const auto& [name, stem] : names) {
    SCOPED_TRACE(name);
    TempDir folder;
    const std::string path = folder.File(name);
    WriteBytes(path, DemoListBytes());
    const LineList edited = Edited(engine, path);
    reporter.messages.clear();
    const bool txt = !stem.empty();
    CompileOptions preInstalled;
    preInstalled.preInstalled = true;
    EXPECT_EQ(std::vector<bool>({engine.Save(path, edited), engine.CompileFile(path, preInstalled),
                                 engine.CompileFile(path, {}), engine.ConvertToPackets(path)}),
              std::vector<bool>(4, txt));
    EXPECT_EQ(reporter.messages, txt ? Strings(2, "Conversion is terminated successfully.\n")
                                     : Strings(4, "Extention Name must be 'txt' "));
    EXPECT_EQ(ReadBytes(path), txt ? FormatListText(edited) : DemoListBytes());
    EXPECT_EQ(ReadBytes(folder.File(stem + ".bak")), txt ? DemoListBytes() : "");
    EXPECT_EQ(FolderNames(folder.path()),
              (txt ? Names{name, stem + ".bak", stem + ".hex", stem + ".bin"} : Names{name}));
  }
}

TEST_F(DiskFaults, BackupsInTheWayAndLeftoversOfACrashDoNotStopASave) {
  const std::string path = ListFile("list.txt", DemoListBytes()), backup = dir.File("list.bak");
  const LineList edited = Edited(engine, path);

  // A folder named like the backup is not the engine's to remove; the save goes on without a backup.
  std::filesystem::create_directory(backup);
  WriteBytes(backup + "/notes", "kept");
  EXPECT_TRUE(engine.Save(path, edited));
  EXPECT_EQ(ReadBytes(path), FormatListText(edited));
  EXPECT_EQ(ReadBytes(backup + "/notes"), "kept");
  std::filesystem::remove_all(backup);

  // A read-only backup is replaced like any other: it is the engine's own file.
  WriteBytes(backup, "read-only backup");
  ASSERT_EQ(::chmod(backup.c_str(), 0444), 0);
  WriteBytes(path, DemoListBytes());
  EXPECT_TRUE(engine.Save(path, edited));
  EXPECT_EQ(ReadBytes(backup), DemoListBytes());

  // Half files of a save and a compile that crashed.
  WriteBytes(path + ".partial", "half a list");
  WriteBytes(dir.File("list.hex.partial"), "7FF20000  00");
  WriteBytes(dir.File("list.bin.partial"), "\x55\xAA");
  EXPECT_TRUE(engine.Save(path, edited));
  EXPECT_TRUE(engine.CompileFile(path, {}));
  EXPECT_TRUE(engine.ConvertToPackets(path));
  EXPECT_EQ(ReadBytes(path), FormatListText(edited));
  EXPECT_EQ(ReadBytes(backup), FormatListText(edited));
  EXPECT_EQ(FolderNames(dir.path()), (Names{"list.txt", "list.bak", "list.hex", "list.bin"}));
  EXPECT_EQ(reporter.messages, Strings{"Conversion is terminated successfully.\n"});
}

}  // namespace
}  // namespace chanora::testing
