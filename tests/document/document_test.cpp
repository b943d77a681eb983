#include <filesystem>

#include "base/file_io.h"
#include "editor/structure_edits.h"
#include "tests/document/document_fixture.h"

namespace chanora::testing {
namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

const std::string kSecondChannel = "2      1      0      1002     TV       \"Aurora Two\"";

TEST_F(DocumentTest, StartsWithOnlyOpenDownloadOthersAndUploadEnabled) {
  EXPECT_EQ(document.Title(), "Chanora");
  for (auto command : {DocumentCommand::Open, DocumentCommand::DownloadOthers, DocumentCommand::Upload}) {
    EXPECT_TRUE(document.Enabled(command));
  }
  for (auto command :
       {DocumentCommand::Save, DocumentCommand::SaveAs, DocumentCommand::CompileBasic,
        DocumentCommand::CompilePreInstalled, DocumentCommand::CompileSplit, DocumentCommand::DownloadCurrent}) {
    EXPECT_FALSE(document.Enabled(command));
  }
  EXPECT_FALSE(document.Save(dialog.Chooser()));
  EXPECT_FALSE(document.Compile(CompileKind::Basic));
  EXPECT_TRUE(dialog.requests.empty());
}

TEST_F(DocumentTest, OpenLoadsTheListAndTheNextDialogsStartInItsFolder) {
  ASSERT_TRUE(OpenFile(demoPath));
  EXPECT_TRUE(document.Loaded());
  EXPECT_EQ(document.Title(), "Chanora : " + demoPath);
  EXPECT_TRUE(document.Enabled(DocumentCommand::DownloadCurrent));
  EXPECT_FALSE(document.Model().Modified());
  EXPECT_EQ(dialog.requests[0].title, "Velk Chanora - Format File Open");
  EXPECT_FALSE(dialog.requests[0].folder);  // nothing stored yet: the platform's folder
  EXPECT_EQ(dialog.requests[0].filters[0].text, "Velk Formatted Text File(*.TXT)");

  document.Open(dialog.Chooser());  // cancelled
  EXPECT_EQ(dialog.requests[1].folder, dir.path());
  EXPECT_FALSE(document.PrepareDownloadOthers(dialog.Chooser()));  // cancelled
  EXPECT_EQ(dialog.requests[2].title, "Velk Chanora - Download Programm File Open");
  EXPECT_EQ(dialog.requests[2].folder, dir.path());
  EXPECT_EQ(document.Path(), demoPath);
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(DocumentTest, AFailedOpenLeavesTheDocumentAsItWas) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  const State before = Snapshot();

  WriteBytes(dir.File("bad.txt"), Replace(DemoListBytes(), kSecondChannel, Replace(kSecondChannel, "TV", "XX")));
  WriteBytes(dir.File("list.dat"), DemoListBytes());
  const std::pair<std::string, std::string> cases[] = {
      {dir.File("bad.txt"), "The Text Format is not correct"},
      {dir.File("list.dat"), "Extention Name must be 'txt' "},
      {dir.File("missing.txt"), "Can't open Input file : " + dir.File("missing.txt") + "\n"},
  };
  for (const auto& [path, message] : cases) {
    reporter.messages.clear();
    EXPECT_FALSE(OpenFile(path, {Answer::No})) << path;
    EXPECT_EQ(Snapshot(), before) << path;
    EXPECT_EQ(reporter.messages.back(), message) << path;
  }
  EXPECT_EQ(ReadBytes(demoPath), DemoListBytes());
}

TEST_F(DocumentTest, OpenAsksBeforeDiscardingChanges) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  const State edited = Snapshot();
  WriteBytes(dir.File("other.txt"), DemoListBytes());

  EXPECT_FALSE(OpenFile(dir.File("other.txt"), {Answer::Cancel}));
  EXPECT_EQ(reporter.questions, std::vector<std::string>{"Saving: Saveing  Modified Data!!!"});
  EXPECT_EQ(dialog.requests.size(), 1u);  // no dialog after Cancel
  EXPECT_EQ(Snapshot(), edited);

  ASSERT_TRUE(OpenFile(dir.File("other.txt"), {Answer::No}));
  EXPECT_EQ(ReadBytes(demoPath), DemoListBytes());
  EXPECT_EQ(document.Path(), dir.File("other.txt"));
  EXPECT_EQ(document.Model().History().UndoDepth(), 0u);

  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  ASSERT_TRUE(OpenFile(demoPath, {Answer::Yes}));
  EXPECT_NE(ReadBytes(dir.File("other.txt")), DemoListBytes());  // saved before the next list came
  EXPECT_EQ(document.Path(), demoPath);
}

TEST_F(DocumentTest, SaveAndSaveAsWriteTheListAndFailWithoutChangingIt) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  ASSERT_TRUE(document.Save(dialog.Chooser()));
  EXPECT_FALSE(document.Model().Modified());
  EXPECT_EQ(ReadBytes(dir.File("demo.bak")), DemoListBytes());
  const std::string saved = ReadBytes(demoPath);

  dialog.Answer(dir.File("copy.dat"));
  EXPECT_FALSE(document.SaveAs(dialog.Chooser()));
  EXPECT_EQ(reporter.messages.back(), "Extention Name must be 'txt' ");
  EXPECT_EQ(dialog.requests.back().title, "Velk Chanora - Save as");

  dialog.Answer(dir.File("missing/copy.txt"));
  const State before = Snapshot();
  EXPECT_FALSE(document.SaveAs(dialog.Chooser()));
  EXPECT_EQ(reporter.messages.back(), "ERROR!!! Saving not Complete");
  EXPECT_EQ(Snapshot(), before);

  dialog.Answer(dir.File("COPY.TXT"));
  ASSERT_TRUE(document.SaveAs(dialog.Chooser()));
  EXPECT_EQ(document.Path(), dir.File("COPY.TXT"));
  EXPECT_EQ(ReadBytes(dir.File("COPY.TXT")), saved);
  EXPECT_EQ(document.Model().History().UndoDepth(), 0u);
}

TEST_F(DocumentTest, ASaveThatFailsKeepsTheChangesToAsk) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  // A folder has taken the list's name since it was opened.
  std::filesystem::remove(demoPath);
  std::filesystem::create_directory(demoPath);
  EXPECT_FALSE(document.Save(dialog.Chooser()));
  ASSERT_FALSE(reporter.messages.empty());
  EXPECT_EQ(reporter.messages.back(), "ERROR!!! Saving not Complete");
  EXPECT_TRUE(document.Model().Modified());

  // The close question: a failed save keeps the window, Cancel too, No lets it go.
  reporter.answers = {Answer::Yes, Answer::Cancel, Answer::No};
  EXPECT_FALSE(document.ConfirmClose(dialog.Chooser()));
  EXPECT_FALSE(document.ConfirmClose(dialog.Chooser()));
  EXPECT_TRUE(document.ConfirmClose(dialog.Chooser()));
}

TEST_F(DocumentTest, TheCloseQuestionComesOnlyWhileTheListDiffersFromItsFile) {
  ASSERT_TRUE(OpenFile(demoPath));
  EXPECT_TRUE(document.ConfirmClose(dialog.Chooser()));
  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  ASSERT_TRUE(document.Model().Undo());
  EXPECT_TRUE(document.ConfirmClose(dialog.Chooser()));
  EXPECT_TRUE(reporter.questions.empty());

  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  reporter.answers = {Answer::Yes};
  EXPECT_TRUE(document.ConfirmClose(dialog.Chooser()));
  EXPECT_EQ(reporter.questions, std::vector<std::string>{"Saving: Saveing  Modified Data!!!"});
  EXPECT_NE(ReadBytes(demoPath), DemoListBytes());
}

TEST_F(DocumentTest, CompileTranslatesTheListAsShownAndLeavesItsFileAlone) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  const auto listTime = std::filesystem::last_write_time(demoPath);
  ASSERT_TRUE(document.Compile(CompileKind::Basic));
  EXPECT_EQ(ReadBytes(demoPath), DemoListBytes());
  EXPECT_EQ(std::filesystem::last_write_time(demoPath), listTime);
  EXPECT_FALSE(FileExists(dir.File("demo.bak")));
  EXPECT_FALSE(FileExists(dir.File("demo.cplsrc")));
  EXPECT_TRUE(document.Model().Modified());

  // The same bytes as compiling the edited list once saved.
  const std::string hex = ReadBytes(dir.File("demo.hex"));
  const std::string packets = ReadBytes(dir.File("demo.bin"));
  dialog.Answer(dir.File("edited.txt"));
  ASSERT_TRUE(document.SaveAs(dialog.Chooser()));
  ListEngine engine(reporter);
  ASSERT_TRUE(engine.CompileFile(dir.File("edited.txt"), {}));
  ASSERT_TRUE(engine.ConvertToPackets(dir.File("edited.txt")));
  EXPECT_EQ(ReadBytes(dir.File("edited.hex")), hex);
  EXPECT_EQ(ReadBytes(dir.File("edited.bin")), packets);

  ASSERT_TRUE(document.Compile(CompileKind::PreInstalled));
  ASSERT_TRUE(document.Compile(CompileKind::Split));
  EXPECT_TRUE(FileExists(dir.File("edited.bin")));
}

TEST_F(DocumentTest, OptionsAreReadAfreshForEveryLoadAndCompile) {
  StoreOptions(settings, {40, "COM1"});
  EXPECT_FALSE(OpenFile(demoPath));  // 32 satellite names where 40 are expected
  EXPECT_FALSE(document.Loaded());
  StoreOptions(settings, {32, "COM1"});
  ASSERT_TRUE(OpenFile(demoPath));

  StoreOptions(settings, {40, "COM1"});
  reporter.messages.clear();
  EXPECT_FALSE(document.Compile(CompileKind::Basic));
  EXPECT_EQ(reporter.messages.back(), "Making a HEX file is failed!");
  EXPECT_FALSE(FileExists(dir.File("demo.hex")));
}

TEST_F(DocumentTest, NullChannelsDroppedOnOpenAreSavedAtOnce) {
  WriteBytes(demoPath, Replace(DemoListBytes(), kSecondChannel, Replace(kSecondChannel, "1002", "0000")));
  ASSERT_TRUE(OpenFile(demoPath));
  EXPECT_FALSE(document.Model().Modified());
  EXPECT_EQ(ReadBytes(demoPath).find("0000     TV       \"Aurora Two\""), std::string::npos);
  EXPECT_TRUE(FileExists(dir.File("demo.bak")));
}

TEST_F(DocumentTest, OptionsAndColoursLiveInTheStoreUnderTheirNames) {
  EXPECT_EQ(ListViewColours(settings), (ListColours{{0, 0, 0}, {255, 255, 255}}));
  EXPECT_EQ(OptionsDialogColours(settings), kDefaultListColours);
  StoreListColours(settings, {{1, 2, 3}, {4, 5, 300}});
  EXPECT_EQ(settings.ReadInt("Font Size", 0), 10);
  EXPECT_EQ(settings.ReadText("Font Name", ""), "system");
  EXPECT_EQ(settings.ReadInt("Background Color.G", 0), 5);
  EXPECT_EQ(ListViewColours(settings), (ListColours{{1, 2, 3}, {4, 5, 255}}));
  EXPECT_EQ(ReadOptions(settings).maxSatellites, 32);
  EXPECT_EQ(ReadOptions(settings).port, "COM1");
  settings.WriteText("RecentFolderPath", "ERROR");
  EXPECT_FALSE(RecentFolder(settings));
}

}  // namespace
}  // namespace chanora::testing
