#include "listmatch/export.h"

#include <cctype>

#include <nlohmann/json.hpp>

#include "editor/list_view_model.h"

namespace chanora {
namespace {

std::string Utf8FromLatin1(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

// A field is quoted when a comma, a quote or a line break would split it;
// its quotes are doubled.
std::string CsvField(std::string_view text) {
  const std::string utf8 = Utf8FromLatin1(text);
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string CsvRow(const std::vector<std::string>& cells) {
  std::string row;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) row += ',';
    row += CsvField(cells[i]);
  }
  return row + "\r\n";
}

std::string FormatCsv(const ExportTable& table) {
  std::string text = CsvRow(table.titles);
  for (const auto& row : table.rows) text += CsvRow(row);
  return text;
}

// Keys keep the table's column order (a view's titles are unique).
std::string FormatJson(const ExportTable& table) {
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (const auto& row : table.rows) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < table.titles.size() && i < row.size(); ++i) {
      object[Utf8FromLatin1(table.titles[i])] = Utf8FromLatin1(row[i]);
    }
    rows.push_back(std::move(object));
  }
  return rows.dump(2) + "\n";
}

}  // namespace

std::optional<ExportView> ExportViewNamed(std::string_view name) {
  if (name == "digital") return ExportView{SectionKind::None, true};
  if (name == "analog") return ExportView{SectionKind::None, false};
  if (name == "satellites") return ExportView{SectionKind::Satellite, true};
  if (name == "tps") return ExportView{SectionKind::Digital, true};
  if (name == "pids") return ExportView{SectionKind::ChannelPid, true};
  if (name == "names") return ExportView{SectionKind::SatName, true};
  return std::nullopt;
}

ExportTable ShownTable(const ListViewModel& model) {
  ExportTable table;
  std::vector<int> columns;
  const std::vector<Column> shown = model.ShownColumns();
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i].width == 0) continue;  // hidden in the window
    columns.push_back(static_cast<int>(i));
    table.titles.emplace_back(shown[i].title);
  }
  const std::size_t rowCount = model.ShownRowCount();
  table.rows.reserve(rowCount);
  for (std::size_t row = 0; row < rowCount; ++row) {
    std::vector<std::string> cells;
    cells.reserve(columns.size());
    for (int column : columns) cells.push_back(model.ShownCell(row, column));
    table.rows.push_back(std::move(cells));
  }
  return table;
}

std::string FormatTable(const ExportTable& table, ExportFormat format) {
  return format == ExportFormat::Json ? FormatJson(table) : FormatCsv(table);
}

ExportFormat FormatForPath(std::string_view path) {
  if (path.size() < 5) return ExportFormat::Csv;
  std::string extension(path.substr(path.size() - 5));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".json" ? ExportFormat::Json : ExportFormat::Csv;
}

}  // namespace chanora
