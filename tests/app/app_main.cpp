#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// The window tests run without a display, with the settings store of the
// test mode, on the one application object of the run.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
