#include <gtest/gtest.h>

#include <zlib.h>

#include <QPrinter>
#include <QStandardItemModel>
#include <map>
#include <regex>
#include <set>

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

std::string Inflate(const std::string& packed) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return {};
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(packed.size());
  std::string text;
  char buffer[4096];
  int status = Z_OK;
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    status = inflate(&stream, Z_NO_FLUSH);
    text.append(buffer, sizeof buffer - stream.avail_out);
  }
  inflateEnd(&stream);
  return status == Z_STREAM_END ? text : std::string();
}

std::vector<std::string> Between(const std::string& text, const std::string& open, const std::string& close) {
  std::vector<std::string> parts;
  for (auto start = text.find(open); start != std::string::npos; start = text.find(open, start)) {
    start += open.size();
    const auto end = text.find(close, start);
    if (end == std::string::npos) break;
    parts.push_back(text.substr(start, end - start));
    start = end + close.size();
  }
  return parts;
}

// Every text drawn into a PDF as the PDF writer puts it: each drawn string
// is one BT..ET block of glyph codes in a packed page stream, and each font's
// ToUnicode map (left unpacked) names the characters of its codes. A block is
// read with every font's map; the wrong maps give only noise.
std::multiset<std::string> DrawnTexts(const std::string& pdf) {
  using Iterator = std::sregex_iterator;
  std::vector<std::map<int, char>> fonts;
  // A range maps its codes to a list of characters or to a run from one.
  const std::regex range(R"(<([0-9A-F]{4})> <([0-9A-F]{4})> (\[[^\]]*\]|<[0-9A-F]{4}>))");
  const std::regex character("<([0-9A-F]{4})>");
  auto number = [](const std::string& hex) { return std::stoi(hex, nullptr, 16); };
  for (const std::string& map : Between(pdf, "beginbfrange", "endbfrange")) {
    std::map<int, char> font;
    for (Iterator found(map.begin(), map.end(), range); found != Iterator(); ++found) {
      int code = number((*found)[1]);
      const std::string target = (*found)[3];
      if (target.front() == '[') {
        for (Iterator c(target.begin(), target.end(), character); c != Iterator(); ++c) {
          font[code++] = static_cast<char>(number((*c)[1]));
        }
      } else {
        for (int first = number(target.substr(1, 4)); code <= number((*found)[2]); ++code) {
          font[code] = static_cast<char>(first + code - number((*found)[1]));
        }
      }
    }
    // The writer names the blank's glyph a tab.
    for (auto& [code, name] : font) name = name == '\t' ? ' ' : name;
    fonts.push_back(font);
  }
  std::multiset<std::string> texts;
  const std::regex glyph("<([0-9A-F]{4})> Tj");
  for (const std::string& content : Between(pdf, "stream\n", "endstream")) {
    for (const std::string& codes : Between(Inflate(content), "BT\n", "ET\n")) {
      for (const auto& font : fonts) {
        std::string text;
        for (Iterator g(codes.begin(), codes.end(), glyph); g != Iterator(); ++g) {
          auto known = font.find(std::stoi((*g)[1], nullptr, 16));
          text += known == font.end() ? '?' : known->second;
        }
        texts.insert(text);
      }
    }
  }
  return texts;
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
  const std::size_t pages = Count(pdf, "/Type /Page") - Count(pdf, "/Type /Pages");
  EXPECT_GT(pages, 1u);
  // The titles head every page; every row is printed once; the column the
  // model lacks is left out.
  const std::multiset<std::string> texts = DrawnTexts(pdf);
  EXPECT_EQ(texts.count("Name"), pages);
  EXPECT_EQ(texts.count("Frequency"), pages);
  EXPECT_EQ(texts.count("Service"), pages);
  EXPECT_EQ(texts.count("Channel 0"), 1u);
  EXPECT_EQ(texts.count("Channel 299"), 1u);
  EXPECT_EQ(texts.count("11299"), 1u);
  EXPECT_EQ(texts.count(QString("%1 / %1").arg(pages).toStdString()), 1u);
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
