#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/about_dialog.h"

namespace chanora {
namespace {

QStringList Texts(const QList<QLabel*>& labels) {
  QStringList texts;
  for (const QLabel* label : labels) texts << label->text();
  return texts;
}

TEST(AboutDialog, ShowsVersionDateAndHistoryReadOnly) {
  AboutDialog about(nullptr);
  EXPECT_EQ(about.windowTitle(), "About Chanora");
  const QStringList labels = Texts(about.findChildren<QLabel*>());
  EXPECT_TRUE(labels.contains("Chanora Version :\n\nLast Modefied Date: "));
  EXPECT_TRUE(labels.contains("Not Support Pid Section"));
  EXPECT_TRUE(labels.contains("- - History - -"));

  const QList<QLineEdit*> fields = about.findChildren<QLineEdit*>();
  ASSERT_EQ(fields.size(), 2);
  EXPECT_EQ(fields[0]->text(), "0.1000");
  EXPECT_EQ(fields[1]->text(), "2000.07.25");
  EXPECT_TRUE(fields[0]->isReadOnly() && fields[1]->isReadOnly());

  auto* history = about.findChild<QPlainTextEdit*>();
  ASSERT_NE(history, nullptr);
  EXPECT_TRUE(history->isReadOnly());
  const QStringList lines = history->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 6);  // five lines, each ended
  EXPECT_EQ(lines[0], "2000.07.19: adjusting upload for large size");
  EXPECT_EQ(lines[3], "2000.07.24: delete nell channel when loading/uploading");
  EXPECT_EQ(lines[4], "2000.07.25: adjusting upload function to be able to upload which size is upper then 100kbyte");

  auto* ok = about.findChild<QPushButton*>();
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
}

}  // namespace
}  // namespace chanora
