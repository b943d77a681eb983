#include <gtest/gtest.h>

#include "app/qt_settings.h"
#include "document/options.h"
#include "tests/app/dialogs_test_support.h"

namespace chanora {
namespace {

TEST(QtSettings, KeepsValuesAcrossRunsButNotTheRunOptions) {
  testing::SettingsFolder folder;
  {
    QtSettings settings;
    EXPECT_EQ(settings.ReadInt(setting::kFontSize, 7), 7);
    EXPECT_EQ(settings.ReadText(setting::kRecentFolder, "ERROR"), "ERROR");
    StoreRecentFolder(settings, "/lists/sky.txt");
    StoreListColours(settings, {{1, 2, 3}, {4, 5, 6}});
    StoreOptions(settings, {40, "/dev/ttyUSB0"});
    EXPECT_EQ(ReadOptions(settings).maxSatellites, 40);
    EXPECT_EQ(ReadOptions(settings).port, "/dev/ttyUSB0");
  }
  QtSettings nextRun;
  EXPECT_EQ(RecentFolder(nextRun), "/lists");
  EXPECT_EQ(ListViewColours(nextRun), (ListColours{{1, 2, 3}, {4, 5, 6}}));
  EXPECT_EQ(ReadOptions(nextRun).maxSatellites, 32);
  EXPECT_EQ(ReadOptions(nextRun).port, "COM1");

  const std::string stored = testing::ReadBytes(folder.File());
  EXPECT_NE(stored.find("[Chanora]"), std::string::npos);
  EXPECT_EQ(stored.find("Satellite"), std::string::npos);
  EXPECT_EQ(stored.find("Port"), std::string::npos);
}

TEST(QtSettings, ReadsAValueThatIsNoNumberAsAbsent) {
  testing::SettingsFolder folder;
  QtSettings settings;
  settings.WriteText(setting::kTextRed, "red");
  EXPECT_EQ(settings.ReadInt(setting::kTextRed, 9), 9);
  settings.WriteInt(setting::kTextRed, 12);
  EXPECT_EQ(settings.ReadInt(setting::kTextRed, 9), 12);
}

}  // namespace
}  // namespace chanora
