#include <sys/stat.h>

#include "editor/list_view_model.h"
#include "tests/engine/engine_fixture.h"
#include "textformat/writer.h"

namespace chanora::testing {
namespace {

// Every file the engine writes, under a full disk, a read-only folder, a list
// that changed under it and names of every kind: a failure is told and
// returned as one, and neither the list nor its backup is ever lost.
class DiskFaults : public EngineTest {
 protected:
  // The engine's list as loaded, with one name edited as a user would.
  static LineList Edited(CListDB& engine) {
    LineList list;
    if (!engine.ReadFormattedText(list)) return list;
    for (std::string& entry : list) {
      if (entry == "Orion Audio") entry = "Edited";  // an analog TP's name
    }
    return list;
  }

  static std::string Stem(const std::string& name) { return name.substr(0, name.size() - 4); }

  static std::size_t Size(const std::string& path) { return ReadBytes(path).size(); }
};

TEST_F(DiskFaults, AFullDiskWhileSavingKeepsTheListAndItsBackup) {
  CListDB engine = EngineFor("list.txt", DemoListBytes());
  WriteBytes(dir.File("list.bak"), "previous backup");
  const LineList edited = Edited(engine);
  ASSERT_NE(FormatListText(edited), DemoListBytes());
  const rlim_t limit = FormatListText(edited).size() - 1;

  ChildOutcome save = RunInChild([&] { return LimitFileSize(limit); },
                                 [&](RecordingReporter& child) {
                                   CListDB db(engine.path, child);
                                   return db.WriteFormattedText(edited) ? 1 : 0;
                                 });
  EXPECT_EQ(save.result, 0);
  EXPECT_EQ(save.messages, std::vector<std::string>{"Can't write file : " + dir.File("list.txt") + "\n"});

  // The list view closing with unsaved changes says the save failed.
  ChildOutcome close = RunInChild([&] { return LimitFileSize(limit); },
                                  [&](RecordingReporter& child) {
                                    CListDB db(engine.path, child);
                                    ListViewModel model;
                                    if (!model.Load(db)) return 2;
                                    model.list = edited;
                                    model.modified = true;
                                    child.answers = {Answer::Yes};
                                    const bool closed = model.SaveQuestionOnClose(db, child);
                                    return closed ? 1 : model.modified ? 0 : 3;
                                  });
  EXPECT_EQ(close.result, 0);
  EXPECT_EQ(close.messages, (std::vector<std::string>{"Can't write file : " + dir.File("list.txt") + "\n",
                                                      "ERROR!!! Saving not Complete"}));

  EXPECT_EQ(ReadBytes(dir.File("list.txt")), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "previous backup");
  EXPECT_EQ(FolderNames(dir.path()), (std::set<std::string>{"list.txt", "list.bak"}));
}

TEST_F(DiskFaults, AFullDiskWhileCompilingLeavesNoOutputThatLooksValid) {
  CListDB engine = EngineFor("list.txt", DemoListBytes());
  WriteBytes(dir.File("list.bak"), "previous backup");
  const std::string hex = dir.File("list.hex");
  const std::string bin = dir.File("list.bin");
  auto fullAt = [](std::size_t size) { return [size] { return LimitFileSize(size - 1); }; };

  ASSERT_EQ(engine.CompilePreInstalled(), 1);
  ChildOutcome preInstalled = RunInChild(fullAt(Size(hex)), [&](RecordingReporter& child) {
    CListDB db(engine.path, child);
    return db.CompilePreInstalled();
  });
  EXPECT_EQ(preInstalled.result, 0);
  EXPECT_EQ(preInstalled.messages,
            (std::vector<std::string>{"Can't open Output file : " + hex + "\n", "Making a HEX file is failed!"}));
  EXPECT_FALSE(FileExists(hex));
  EXPECT_FALSE(FileExists(bin));

  ASSERT_EQ(engine.Compile(Basic), 1);
  ASSERT_EQ(engine.ConvertToPackets(), 1);
  ChildOutcome basic = RunInChild(fullAt(Size(hex)), [&](RecordingReporter& child) {
    CListDB db(engine.path, child);
    return db.Compile(Basic);
  });
  EXPECT_EQ(basic.result, 0);
  EXPECT_EQ(basic.messages, std::vector<std::string>{"Can't open Output file : " + hex + "\n"});
  EXPECT_FALSE(FileExists(hex));
  EXPECT_FALSE(FileExists(bin));

  ASSERT_EQ(engine.Compile(Basic), 1);
  ASSERT_EQ(engine.ConvertToPackets(), 1);
  const std::string goodHex = ReadBytes(hex);
  ChildOutcome convert = RunInChild(fullAt(Size(bin)), [&](RecordingReporter& child) {
    CListDB db(engine.path, child);
    return db.ConvertToPackets();
  });
  EXPECT_EQ(convert.result, 0);
  EXPECT_EQ(convert.messages, std::vector<std::string>{"Can't open  " + bin + " file \n"});
  EXPECT_EQ(ReadBytes(hex), goodHex);
  EXPECT_FALSE(FileExists(bin));

  EXPECT_EQ(ReadBytes(dir.File("list.txt")), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "previous backup");
  EXPECT_EQ(FolderNames(dir.path()), (std::set<std::string>{"list.txt", "list.bak", "list.hex"}));
}

TEST_F(DiskFaults, AReadOnlyFolderRefusesTheSaveAndTheCompileClearly) {
  const std::string folder = dir.File("read-only");
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const std::string path = folder + "/list.txt";
  WriteBytes(path, DemoListBytes());
  WriteBytes(folder + "/list.bak", "previous backup");
  // Nobody must reach and read the list; only the folder itself is closed.
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);

  ChildOutcome outcome = RunInChild(DropRootPrivileges, [&](RecordingReporter& child) {
    CListDB db(path, child);
    LineList list = Edited(db);
    if (list.empty()) return 4;
    const bool saved = db.WriteFormattedText(list);
    const int compiled = db.Compile(Basic);
    return (saved ? 1 : 0) | (compiled ? 2 : 0);
  });
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.messages, (std::vector<std::string>{"Can't open .temp file : " + path + "\n",
                                                        "Can't open Output file : " + folder + "/list.hex\n"}));
  EXPECT_EQ(ReadBytes(path), DemoListBytes());
  EXPECT_EQ(ReadBytes(folder + "/list.bak"), "previous backup");
  EXPECT_EQ(FolderNames(folder), (std::set<std::string>{"list.txt", "list.bak"}));
}

TEST_F(DiskFaults, AListDeletedOrReplacedSinceLoadingIsStillSavedAsEdited) {
  CListDB engine = EngineFor("list.txt", DemoListBytes());
  WriteBytes(dir.File("list.bak"), "previous backup");
  const LineList edited = Edited(engine);
  const std::string path = dir.File("list.txt");

  std::filesystem::remove(path);
  EXPECT_TRUE(engine.WriteFormattedText(edited));
  EXPECT_EQ(ReadBytes(path), FormatListText(edited));
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "previous backup");

  WriteBytes(path, "another program's file");
  EXPECT_TRUE(engine.WriteFormattedText(edited));
  EXPECT_EQ(ReadBytes(path), FormatListText(edited));
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "another program's file");
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(FolderNames(dir.path()), (std::set<std::string>{"list.txt", "list.bak"}));

  // A folder in the list's place is the user's too: it is neither read as an
  // empty list nor moved aside by a save.
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  WriteBytes(path + "/notes", "kept");
  LineList list{"held"};
  EXPECT_FALSE(engine.ReadFormattedText(list));
  EXPECT_EQ(list, LineList{"held"});
  EXPECT_EQ(reporter.messages.back(), "Can't open Input file : " + path + "\n");
  EXPECT_EQ(engine.Compile(Basic), 0);
  EXPECT_EQ(reporter.messages.back(), "Can't open Input file : " + path + "\n");
  EXPECT_FALSE(engine.WriteFormattedText(edited));
  EXPECT_EQ(reporter.messages.back(), "Can't open .temp file : " + path + "\n");
  EXPECT_EQ(ReadBytes(path + "/notes"), "kept");
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "another program's file");
  EXPECT_EQ(FolderNames(dir.path()), (std::set<std::string>{"list.txt", "list.bak"}));
}

TEST_F(DiskFaults, NamesOfEveryKindLoadSaveCompileAndConvert) {
  for (const std::string name : {"Liste für Äther.txt", "my list.TXT", "Mixed.Txt", "raw \xFF\xFE\x80 bytes.txt"}) {
    SCOPED_TRACE(name);
    TempDir folder;
    WriteBytes(folder.File(name), DemoListBytes());
    CListDB engine(folder.File(name), reporter);
    const LineList edited = Edited(engine);
    EXPECT_TRUE(engine.WriteFormattedText(edited));
    EXPECT_EQ(engine.Compile(Basic), 1);
    EXPECT_EQ(engine.ConvertToPackets(), 1);
    EXPECT_EQ(ReadBytes(folder.File(name)), FormatListText(edited));
    EXPECT_EQ(ReadBytes(folder.File(Stem(name) + ".bak")), DemoListBytes());
    EXPECT_EQ(FolderNames(folder.path()),
              (std::set<std::string>{name, Stem(name) + ".bak", Stem(name) + ".hex", Stem(name) + ".bin"}));
  }

  // Without its ".txt" a list still opens, but nothing is written beside it:
  // a derived name could be the list itself or lie elsewhere.
  for (const std::string name : {"list.dat", "list", "list.txt.old", "für.TXT~"}) {
    SCOPED_TRACE(name);
    TempDir folder;
    WriteBytes(folder.File(name), DemoListBytes());
    CListDB engine(folder.File(name), reporter);
    reporter.messages.clear();
    const LineList edited = Edited(engine);
    EXPECT_FALSE(engine.WriteFormattedText(edited));
    EXPECT_EQ(engine.Compile(Basic), 0);
    EXPECT_EQ(engine.CompilePreInstalled(), 0);
    EXPECT_EQ(engine.ConvertToPackets(), 0);
    EXPECT_EQ(reporter.messages, std::vector<std::string>(4, "Extention Name must be 'txt' "));
    EXPECT_EQ(ReadBytes(folder.File(name)), DemoListBytes());
    EXPECT_EQ(FolderNames(folder.path()), std::set<std::string>{name});
  }
}

TEST_F(DiskFaults, BackupsInTheWayAndLeftoversOfACrashDoNotStopASave) {
  CListDB engine = EngineFor("list.txt", DemoListBytes());
  const LineList edited = Edited(engine);
  const std::string path = dir.File("list.txt");
  const std::string backup = dir.File("list.bak");

  // A folder named like the backup is not the engine's to remove; the save goes on without a backup.
  std::filesystem::create_directory(backup);
  WriteBytes(backup + "/notes", "kept");
  EXPECT_TRUE(engine.WriteFormattedText(edited));
  EXPECT_EQ(ReadBytes(path), FormatListText(edited));
  EXPECT_EQ(ReadBytes(backup + "/notes"), "kept");
  std::filesystem::remove_all(backup);

  // A read-only backup is replaced like any other: it is the engine's own file.
  WriteBytes(backup, "read-only backup");
  ASSERT_EQ(::chmod(backup.c_str(), 0444), 0);
  WriteBytes(path, DemoListBytes());
  EXPECT_TRUE(engine.WriteFormattedText(edited));
  EXPECT_EQ(ReadBytes(backup), DemoListBytes());

  // Half files of a save and a compile that crashed.
  WriteBytes(path + ".partial", "half a list");
  WriteBytes(dir.File("list.hex.partial"), "7FF20000  00");
  WriteBytes(dir.File("list.bin.partial"), "\x55\xAA");
  EXPECT_TRUE(engine.WriteFormattedText(edited));
  EXPECT_EQ(engine.Compile(Basic), 1);
  EXPECT_EQ(engine.ConvertToPackets(), 1);
  EXPECT_EQ(ReadBytes(path), FormatListText(edited));
  EXPECT_EQ(ReadBytes(backup), FormatListText(edited));
  EXPECT_EQ(FolderNames(dir.path()), (std::set<std::string>{"list.txt", "list.bak", "list.hex", "list.bin"}));
  EXPECT_EQ(reporter.messages, std::vector<std::string>{"Conversion is terminated successfully.\n"});
}

}  // namespace
}  // namespace chanora::testing
