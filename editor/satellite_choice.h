#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chanora {

class ListViewModel;
class Reporter;

// The satellite part of both channel dialogs: a drop-down of every SATELLITE
// record and the values of the chosen one, shown only (a channel stores just
// its satellite's index).
struct SatelliteChoice {
  std::vector<std::string> names;     // in list order
  std::optional<std::size_t> chosen;  // by position among the records: names may repeat
  std::string lnbHigh;
  std::string lnbLow;
  std::string position;
  std::string degree;  // display form, "E123.4"
};

// The drop-down of a channel's edit dialog with the channel's own satellite,
// found by its index, chosen. Nothing when the satellite's degree does not
// convert; a channel whose satellite is missing has no degree and is refused
// the same way, as it could not be saved.
std::optional<SatelliteChoice> ChannelSatellite(const ListViewModel& model, std::string_view satIndex,
                                                std::string_view degree, Reporter& reporter);

// The drop-down of a new channel's dialog, the first satellite chosen.
SatelliteChoice FirstSatellite(const ListViewModel& model, Reporter& reporter);

// Another satellite chosen in the drop-down: shows its LNB values, position
// and degree. False, the values kept, when there is no such satellite or its
// degree does not convert.
bool ChooseSatellite(const ListViewModel& model, SatelliteChoice& choice, std::size_t satellite, Reporter& reporter);

// The degree field converts back to its stored form (it is only checked,
// never stored).
bool DegreeAccepted(const SatelliteChoice& choice, Reporter& reporter);

// The SAT index a channel is saved with: the chosen satellite's, else that of
// `rowSatIndex` (the edited channel's own) when that satellite exists.
// Nothing, with "Satellite not selected!", when there is neither.
std::optional<std::string> SatIndexToSave(const ListViewModel& model, const SatelliteChoice& choice,
                                          std::optional<std::string_view> rowSatIndex, Reporter& reporter);

}  // namespace chanora
