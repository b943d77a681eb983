#include "editor/satellite_edit.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "base/reporter.h"
#include "editor/cell_checks.h"
#include "editor/degree.h"
#include "editor/list_change.h"
#include "editor/list_view_model.h"
#include "textformat/fields.h"

namespace chanora {
namespace {

constexpr const char* kTitle = "Satellite Setting Dialog - Edit";

}  // namespace

std::optional<SatelliteDialog> OpenSatelliteEdit(const ListViewModel& model, std::size_t row, Reporter& reporter) {
  const SectionMap& sections = model.Sections();
  if (row >= sections.RecordCount(SectionKind::Satellite)) return std::nullopt;
  const auto cell =
      model.List().begin() + static_cast<std::ptrdiff_t>(sections.RecordStart(SectionKind::Satellite, row));
  SatelliteDialog dialog;
  if (!ConvertDegree(cell[satellite_field::kDegree], dialog.degree, true, reporter)) {
    reporter.Message(kDegreeFormatError);
    return std::nullopt;
  }
  dialog.title = kTitle;
  dialog.name = cell[satellite_field::kName];
  dialog.blank = cell[satellite_field::kBlank] == "Y";
  dialog.lnbHigh = cell[satellite_field::kLnbHigh];
  dialog.lnbLow = cell[satellite_field::kLnbLow];
  dialog.position = cell[satellite_field::kPosition];
  return dialog;
}

bool ApplySatelliteEdit(ListViewModel& model, std::size_t row, const SatelliteDialog& dialog, Reporter& reporter) {
  const SectionMap& sections = model.Sections();
  if (row >= sections.RecordCount(SectionKind::Satellite)) return false;
  // Every field is checked before the first cell is written, so that a
  // refusal leaves the satellite whole.
  std::string degree;
  if (!ConvertDegree(dialog.degree, degree, false, reporter)) {
    reporter.Message(kDegreeFormatError);
    return false;
  }
  auto problem = NameCellProblem("Name", dialog.name);
  if (!problem) problem = FrequencyCellProblem("LNB_LO High", dialog.lnbHigh, true);
  if (!problem) problem = FrequencyCellProblem("LNB_LO Low", dialog.lnbLow, true);
  if (!problem) {
    const auto width = static_cast<std::size_t>(InfoOf(SectionKind::Satellite).widths[satellite_field::kPosition]);
    problem = WordCellProblem("Position", dialog.position, width, true);
  }
  if (problem) {
    reporter.Message(*problem);
    return false;
  }

  // The cells from the name to the degree.
  const std::array<std::string, 6> cells = {dialog.name,   dialog.blank ? "Y" : "N", dialog.lnbHigh,
                                            dialog.lnbLow, dialog.position,          degree};
  const std::size_t first = sections.RecordStart(SectionKind::Satellite, row) + satellite_field::kName;
  if (std::equal(cells.begin(), cells.end(), model.List().begin() + static_cast<std::ptrdiff_t>(first))) return false;
  ListChange change(model);
  std::copy(cells.begin(), cells.end(), change.List().begin() + static_cast<std::ptrdiff_t>(first));
  change.Commit();
  return true;
}

}  // namespace chanora
