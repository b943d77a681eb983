#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QStandardItemModel>

#include "app/list_printer.h"
#include "tests/app/dialogs_test_support.h"

namespace chanora {
namespace {

// A channel list's worth of rows under three titled columns.
std::unique_ptr<QStandardItemModel> Channels(int rows) {
  auto model = std::make_unique<QStandardItemModel>(rows, 3);
  model->setHorizontalHeaderLabels({"Name", "Frequency", "Service"});
  for (int row = 0; row < rows; ++row) {
    model->setItem(row, 0, new QStandardItem(QString("Channel %1").arg(row)));
    model->setItem(row, 1, new QStandardItem(QString::number(11000 + row)));
    model->setItem(row, 2, new QStandardItem(QString::number(row, 16).toUpper()));
  }
  return model;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// The text of each page of a PDF, as poppler's pdftotext reads it.
std::vector<std::string> PageTexts(const std::string& pdf) {
  QProcess reader;
  reader.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
  if (!reader.waitForFinished(30000) || reader.exitCode() != 0) return {};
  std::vector<std::string> pages;
  for (const QByteArray& page : reader.readAllStandardOutput().split('\f')) {
    if (!page.trimmed().isEmpty()) pages.push_back(page.toStdString());
  }
  return pages;
}

TEST(ListPrinter, PrintsAListLongerThanAPageOverSeveralPages) {
  testing::TempDir folder;
  const std::string path = folder.File("list.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path));
  ASSERT_TRUE(PrintTable(*Channels(300), {0, 1, 2, 7}, printer));
  const std::vector<std::string> pages = PageTexts(path);
  ASSERT_GT(pages.size(), 1u);
  // The titles head every page; every row is printed once; the column the
  // model lacks is left out; each page is numbered.
  std::string all;
  for (std::size_t k = 0; k < pages.size(); ++k) {
    EXPECT_EQ(Count(pages[k], "Name"), 1u) << "page " << k + 1;
    EXPECT_EQ(Count(pages[k], "Frequency"), 1u) << "page " << k + 1;
    EXPECT_EQ(Count(pages[k], "Service"), 1u) << "page " << k + 1;
    // The number in the foot, "k / n", comes back without its blanks.
    EXPECT_EQ(Count(pages[k], QString("%1/%2\n").arg(k + 1).arg(pages.size()).toStdString()), 1u);
    all += pages[k];
  }
  EXPECT_EQ(Count(all, "Channel 0 "), 1u);
  EXPECT_EQ(Count(all, "Channel 299"), 1u);
  EXPECT_EQ(Count(all, "11299"), 1u);
}

TEST(ListPrinter, FailsWhenTheFileCannotBeWritten) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName("/nonexistent-folder/list.pdf");
  EXPECT_FALSE(PrintTable(*Channels(3), {0}, printer));
}

TEST(FitColumnWidths, KeepsNarrowColumnsAndSharesTheRestAmongWideOnes) {
  EXPECT_EQ(FitColumnWidths({10, 20}, 100), (std::vector<int>{10, 20}));
  EXPECT_EQ(FitColumnWidths({10, 200, 300}, 100), (std::vector<int>{10, 45, 45}));
  EXPECT_EQ(FitColumnWidths({50, 50}, 60), (std::vector<int>{30, 30}));
  EXPECT_EQ(FitColumnWidths({5, 5}, -3), (std::vector<int>{0, 0}));
  EXPECT_TRUE(FitColumnWidths({}, 10).empty());
}

}  // namespace
}  // namespace chanora
