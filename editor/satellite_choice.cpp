#include "editor/satellite_choice.h"

#include "base/reporter.h"
#include "editor/channel_records.h"
#include "editor/degree.h"
#include "editor/list_view_model.h"
#include "textformat/fields.h"

namespace chanora {
namespace {

SatelliteChoice Names(const ListViewModel& model) {
  SatelliteChoice choice;
  choice.names = SatelliteNames(model.List(), model.Sections());
  return choice;
}

// The first cell of the satellite at drop-down position `satellite`.
std::optional<std::size_t> SatelliteRecord(const ListViewModel& model, std::optional<std::size_t> satellite) {
  if (!satellite || *satellite >= model.Sections().RecordCount(SectionKind::Satellite)) return std::nullopt;
  return model.Sections().RecordStart(SectionKind::Satellite, *satellite);
}

}  // namespace

std::optional<SatelliteChoice> ChannelSatellite(const ListViewModel& model, std::string_view satIndex,
                                                std::string_view degree, Reporter& reporter) {
  SatelliteChoice choice = Names(model);
  if (!ConvertDegree(degree, choice.degree, true, reporter)) {
    reporter.Message(kDegreeFormatError);
    return std::nullopt;
  }
  choice.chosen = SatelliteOfIndex(model.List(), model.Sections(), satIndex);
  if (const auto record = SatelliteRecord(model, choice.chosen)) {
    const LineList& list = model.List();
    choice.lnbHigh = list[*record + satellite_field::kLnbHigh];
    choice.lnbLow = list[*record + satellite_field::kLnbLow];
    choice.position = list[*record + satellite_field::kPosition];
  }
  return choice;
}

SatelliteChoice FirstSatellite(const ListViewModel& model, Reporter& reporter) {
  SatelliteChoice choice = Names(model);
  if (!choice.names.empty()) ChooseSatellite(model, choice, 0, reporter);
  return choice;
}

bool ChooseSatellite(const ListViewModel& model, SatelliteChoice& choice, std::size_t satellite, Reporter& reporter) {
  const std::optional<std::size_t> record = SatelliteRecord(model, satellite);
  if (!record) return false;
  choice.chosen = satellite;
  const LineList& list = model.List();
  std::string degree;
  if (!ConvertDegree(list[*record + satellite_field::kDegree], degree, true, reporter)) {
    reporter.Message(kDegreeFormatError);
    return false;
  }
  choice.lnbHigh = list[*record + satellite_field::kLnbHigh];
  choice.lnbLow = list[*record + satellite_field::kLnbLow];
  choice.position = list[*record + satellite_field::kPosition];
  choice.degree = std::move(degree);
  return true;
}

bool DegreeAccepted(const SatelliteChoice& choice, Reporter& reporter) {
  std::string stored;
  if (ConvertDegree(choice.degree, stored, false, reporter)) return true;
  reporter.Message(kDegreeFormatError);
  return false;
}

std::optional<std::string> SatIndexToSave(const ListViewModel& model, const SatelliteChoice& choice,
                                          std::optional<std::string_view> rowSatIndex, Reporter& reporter) {
  if (const auto record = SatelliteRecord(model, choice.chosen)) return model.List()[*record];
  if (!choice.chosen && rowSatIndex && SatelliteOfIndex(model.List(), model.Sections(), *rowSatIndex)) {
    return std::string(*rowSatIndex);
  }
  reporter.Message("Satellite not selected!");
  return std::nullopt;
}

}  // namespace chanora
