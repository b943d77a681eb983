#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "editor/satellite_choice.h"

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
  bool tv = true;  // TV, else Radio
  std::string frequency;
  std::string symbolRate;
  bool horizontal = true;  // Horizontal, else Vertical
  std::string bouquet;
  std::string videoPid;
  std::string audioPid;
  std::string pcrPid;
  SatelliteChoice satellite;

  bool serviceIdEnabled = true;
  bool pidsEnabled = true;
};

enum class DigitalEditAction { Ok, Delete, InsertNull };

// The dialog for row `row` of the digital channel view. Nothing when the row
// does not exist or its satellite's degree does not convert.
std::optional<DigitalChannelDialog> OpenDigitalChannelEdit(const ListViewModel& model, std::size_t row,
                                                           Reporter& reporter);

// The dialog for a new channel: on the first satellite, TV, active audio 1.
DigitalChannelDialog OpenNewDigitalChannel(const ListViewModel& model, Reporter& reporter);

// The service id typed in a new channel: a service id leaves no room for
// PIDs.
void ServiceIdTyped(DigitalChannelDialog& dialog);

// Ok, Delete or Insert Null on the edit dialog of row `row`, recorded for
// undo as "Setting channel". True when the list changed; an edit that is
// refused or changes nothing leaves no undo record.
bool ApplyDigitalChannelEdit(ListViewModel& model, std::size_t row, const DigitalChannelDialog& dialog,
                             DigitalEditAction action, Reporter& reporter);

// Ok on the new channel dialog, recorded for undo as "New Dig Channel". True
// when a channel was added.
bool ApplyNewDigitalChannel(ListViewModel& model, const DigitalChannelDialog& dialog, Reporter& reporter);

}  // namespace chanora
