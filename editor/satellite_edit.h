#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace chanora {

class ListViewModel;
class Reporter;

inline constexpr std::string_view kSatelliteEditTitle = "Satellite Setting Dialog - Edit";

// The satellite dialog's fields, for one SATELLITE record.
struct SatelliteValues {
  std::string title;
  std::size_t record = 0;  // which SATELLITE record, from 0
  std::string name;
  bool blank = false;      // the Yes button of Blank
  std::string lnbHigh;
  std::string lnbLow;
  std::string position;
  std::string degree;      // display form, "E123.4"
};

// The dialog for row `row` of the Satellite List; nothing when the row is
// out of range or the stored degree does not convert.
std::optional<SatelliteValues> FillSatelliteEdit(const ListViewModel& model, std::size_t row, Reporter& reporter);

// OK of the dialog: writes the record when every field can be stored and
// rebuilds the rows, so that the channels on the satellite show it. True
// when the record changed. A satellite edit takes no undo record.
bool ApplySatelliteEdit(ListViewModel& model, const SatelliteValues& values, Reporter& reporter);

}  // namespace chanora
