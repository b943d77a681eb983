#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace chanora {

class ListViewModel;
class Reporter;

// The satellite dialog's fields, for one SATELLITE record.
struct SatelliteDialog {
  std::string title;
  std::string name;
  bool blank = false;  // the Yes button of Blank
  std::string lnbHigh;
  std::string lnbLow;
  std::string position;
  std::string degree;  // display form, "E123.4"
};

// The dialog for row `row` of the Satellite List; nothing when the row is
// out of range or the stored degree does not convert.
std::optional<SatelliteDialog> OpenSatelliteEdit(const ListViewModel& model, std::size_t row, Reporter& reporter);

// OK on the dialog of row `row`: writes the record when every field can be
// stored, so that the channels on the satellite show it. True when the
// record changed. A satellite edit takes no undo record.
bool ApplySatelliteEdit(ListViewModel& model, std::size_t row, const SatelliteDialog& dialog, Reporter& reporter);

}  // namespace chanora
