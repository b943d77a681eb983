#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace chanora {

class ListViewModel;
class Reporter;

// What the digital channel dialog shows and what the user typed into it. The
// window copies its controls to and from these fields; everything else is
// done by the functions below.
struct DigitalChannelDialog {
  std::string title;
  bool isNew = false;  // hides Delete and Insert Null

  std::string name;
  std::string serviceId;  // hexadecimal
  std::string activeAudio;
  bool tv = true;         // TV, else Radio
  std::string frequency;
  std::string symbolRate;
  bool horizontal = true;  // Horizontal, else Vertical
  std::string bouquet;
  std::string videoPid;
  std::string audioPid;
  std::string pcrPid;

  // Drop-down: the name of every SATELLITE record in list order; the chosen
  // entry is a position among those records, so repeated names stay apart.
  std::vector<std::string> satelliteNames;
  std::optional<std::size_t> satellite;
  // Shown only, taken from the chosen satellite; a channel stores just the
  // satellite's index.
  std::string lnbHigh;
  std::string lnbLow;
  std::string position;
  std::string degree;  // display form, "E123.4"

  bool serviceIdEnabled = true;
  bool pidsEnabled = true;
};

enum class DigitalEditAction { Ok, Delete, InsertNull };

// The dialog for row `clickedRow` of the digital channel view. Nothing when
// the row does not exist or its satellite's degree does not convert.
std::optional<DigitalChannelDialog> OpenDigitalChannelEdit(const ListViewModel& model, Reporter& reporter,
                                                           std::size_t clickedRow);

// The dialog for a new channel: on the first satellite, TV, active audio 1.
DigitalChannelDialog OpenNewDigitalChannel(const ListViewModel& model, Reporter& reporter);

// Another satellite chosen in the drop-down: fills LNB, position and degree
// from its record. False, with the fields kept, when its degree does not
// convert or there is no such satellite.
bool ChooseDigitalSatellite(const ListViewModel& model, Reporter& reporter, DigitalChannelDialog& dialog,
                            std::size_t satellite);

// The service id typed in a new channel: a service id leaves no room for
// PIDs.
void ServiceIdTyped(DigitalChannelDialog& dialog);

// Ok, Delete or Insert Null on the edit dialog of `clickedRow`: 1 when the
// list changed, 0 when the edit was refused or changed nothing. The caller
// recorded "Setting channel" before and discards it on 0.
int ApplyDigitalChannelEdit(ListViewModel& model, Reporter& reporter, std::size_t clickedRow,
                            const DigitalChannelDialog& dialog, DigitalEditAction action);

// Ok on the new channel dialog: 1 when a channel was added, else 0. Records
// its own "New Dig Channel" undo.
int ApplyNewDigitalChannel(ListViewModel& model, Reporter& reporter, const DigitalChannelDialog& dialog);

}  // namespace chanora
