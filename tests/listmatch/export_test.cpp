#include "listmatch/export.h"

#include <gtest/gtest.h>

namespace chanora {
namespace {

TEST(ExportFormat, CsvQuotesCommasQuotesAndLineBreaksAndWritesUtf8) {
  const ExportTable table{{"Name", "Note"}, {{"Say \"hi\"", "a,b"}, {"plain", "two\r\nlines"}, {"Caf\xe9", ""}}};
  EXPECT_EQ(FormatTable(table, ExportFormat::Csv),
            "Name,Note\r\n"
            "\"Say \"\"hi\"\"\",\"a,b\"\r\n"
            "plain,\"two\r\nlines\"\r\n"
            "Caf\xc3\xa9,\r\n");
}

TEST(ExportFormat, JsonKeepsColumnOrderEscapesQuotesAndWritesUtf8) {
  const ExportTable table{{"Name", "Index"}, {{"Say \"hi\"", "1"}, {"Caf\xe9", "2"}}};
  EXPECT_EQ(FormatTable(table, ExportFormat::Json),
            "[\n  {\n    \"Name\": \"Say \\\"hi\\\"\",\n    \"Index\": \"1\"\n  },\n"
            "  {\n    \"Name\": \"Caf\xc3\xa9\",\n    \"Index\": \"2\"\n  }\n]\n");
  EXPECT_EQ(FormatTable({{"Name"}, {}}, ExportFormat::Json), "[]\n");
}

}  // namespace
}  // namespace chanora
