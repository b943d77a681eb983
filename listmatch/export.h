#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "textformat/sections.h"

namespace chanora {

class ListViewModel;

enum class ExportFormat { Csv, Json };

// One of the lists the window shows, as an export names it.
struct ExportView {
  SectionKind section = SectionKind::None;  // None: a channel view
  bool digital = true;
};

// "digital", "analog", "satellites", "tps", "pids" or "names".
std::optional<ExportView> ExportViewNamed(std::string_view name);

// The rows of the shown list under the titles of its visible columns, cells
// as the window shows them.
struct ExportTable {
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> rows;
};

ExportTable ShownTable(const ListViewModel& model);

// The table as UTF-8 text (the list's own text is Latin-1): CSV with a header
// row and CRLF line ends, or JSON as an array of objects keyed by title.
std::string FormatTable(const ExportTable& table, ExportFormat format);

// The format a file's name asks for: JSON for ".json" in any case, else CSV.
ExportFormat FormatForPath(std::string_view path);

}  // namespace chanora
