#include "editor/satellite_edit.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "editor/cell_checks.h"
#include "editor/degree.h"
#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "base/reporter.h"

namespace chanora {
namespace {

constexpr const char* kDegreeError = "Degree format ERROR!!!";

}  // namespace

std::optional<SatelliteValues> FillSatelliteEdit(const ListViewModel& model, std::size_t row, Reporter& reporter) {
  const SectionMap sections(model.list);
  if (row >= sections.RecordCount(SectionKind::Satellite)) return std::nullopt;
  const auto cell = model.list.begin() + static_cast<std::ptrdiff_t>(sections.RecordStart(SectionKind::Satellite, row));
  SatelliteValues values;
  if (!ConvertDegree(cell[6], values.degree, true, reporter)) {
    reporter.Message(kDegreeError);
    return std::nullopt;
  }
  values.title = kSatelliteEditTitle;
  values.record = row;
  values.name = cell[1];
  values.blank = cell[2] == "Y";
  values.lnbHigh = cell[3];
  values.lnbLow = cell[4];
  values.position = cell[5];
  return values;
}

bool ApplySatelliteEdit(ListViewModel& model, const SatelliteValues& values, Reporter& reporter) {
  const SectionMap sections(model.list);
  if (values.record >= sections.RecordCount(SectionKind::Satellite)) return false;
  // Every field is checked before the first cell is written, so that a
  // refusal leaves the satellite whole.
  std::string degree;
  if (!ConvertDegree(values.degree, degree, false, reporter)) {
    reporter.Message(kDegreeError);
    return false;
  }
  auto problem = NameCellProblem("Name", values.name);
  if (!problem) problem = FrequencyCellProblem("LNB_LO High", values.lnbHigh, true);
  if (!problem) problem = FrequencyCellProblem("LNB_LO Low", values.lnbLow, true);
  if (!problem) {
    problem = WordCellProblem("Position", values.position, static_cast<std::size_t>(InfoOf(SectionKind::Satellite).widths[5]), true);
  }
  if (problem) {
    reporter.Message(*problem);
    return false;
  }

  const std::array<std::string, 6> cells = {values.name,   values.blank ? "Y" : "N", values.lnbHigh,
                                            values.lnbLow, values.position,          degree};
  const auto record = model.list.begin() + static_cast<std::ptrdiff_t>(sections.RecordStart(SectionKind::Satellite, values.record));
  if (std::equal(cells.begin(), cells.end(), std::next(record))) return false;
  std::copy(cells.begin(), cells.end(), std::next(record));
  model.RebuildRowTables();
  model.modified = true;
  return true;
}

}  // namespace chanora
