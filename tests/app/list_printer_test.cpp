#include <gtest/gtest.h>

#include <QPrinter>
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
    model->setItem(row, 2, new QStandardItem(QString::number(row, 16)));
  }
  return model;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST(ListPrinter, PrintsAListLongerThanAPageOverSeveralPages) {
  testing::TempDir folder;
  const std::string path = folder.File("list.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path));
  ASSERT_TRUE(PrintTable(*Channels(300), {0, 1, 2, 7}, printer));
  const std::string pdf = testing::ReadBytes(path);
  // "/Type /Pages" is the page tree, "/Type /Page\n" one page.
  EXPECT_GT(Count(pdf, "/Type /Page") - Count(pdf, "/Type /Pages"), 1u);
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
