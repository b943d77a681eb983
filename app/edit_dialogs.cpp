#include "app/edit_dialogs.h"

#include "app/list_view.h"

#include <QEvent>
#include <QItemSelectionModel>

#include "app/analog_channel_dialog.h"
#include "app/digital_channel_dialog.h"
#include "app/satellite_dialog.h"
#include "document/document.h"

namespace chanora {
namespace {

// Shows a channel dialog over `fields`; `apply` hands what was taken to the
// editor. False when it was cancelled or the editor changed nothing.
template <typename Window, typename Fields, typename Apply>
bool RunChannelDialog(const ListViewModel& model, Reporter& reporter, Fields fields, QWidget* parent, Apply apply) {
  Window dialog(model, reporter, std::move(fields), parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return apply(dialog);
}

}  // namespace

EditDialogs::EditDialogs(Document& document, Reporter& reporter, ListView& table, std::function<void()> listChanged,
                         QObject* parent)
    : QObject(parent), document_(document), reporter_(reporter), table_(table), listChanged_(std::move(listChanged)) {
  // The view's own double click fires only on a row; a double click below
  // the rows also starts a new channel.
  table_.viewport()->installEventFilter(this);
}

bool EditDialogs::eventFilter(QObject* watched, QEvent* event) {
  if (watched != table_.viewport() || event->type() != QEvent::MouseButtonDblClick) return false;
  DoubleClick();
  return true;
}

void EditDialogs::DoubleClick() {
  if (!document_.Loaded()) return;
  const ListViewModel& model = document_.Model();
  // The rows shown and selected: a range over rows the find box hides is not theirs.
  const std::vector<std::size_t> selected = table_.SelectedRows();
  const bool channelView = model.shownSection == SectionKind::None;
  if (selected.size() == 1) {
    const std::size_t row = selected.front();
    if (channelView) {
      EditChannel(row);
    } else if (model.shownSection == SectionKind::Satellite) {
      EditSatellite(row);
    } else {
      return;
    }
    Show(row);
  } else if (channelView) {
    AddChannel();
    Show(0);
  }
}

void EditDialogs::NewChannel() {
  if (!document_.Loaded() || document_.Model().shownSection != SectionKind::None) return;
  AddChannel();
  Show(std::nullopt);
}

bool EditDialogs::EditChannel(std::size_t row) {
  ListViewModel& model = document_.Model();
  QWidget* parent = table_.window();
  if (model.showDigital) {
    auto fields = OpenDigitalChannelEdit(model, row, reporter_);
    if (!fields) return false;
    return RunChannelDialog<DigitalChannelEditDialog>(
        model, reporter_, std::move(*fields), parent, [&](const DigitalChannelEditDialog& dialog) {
          return ApplyDigitalChannelEdit(model, row, dialog.Fields(), dialog.Action(), reporter_);
        });
  }
  auto fields = OpenAnalogChannelEdit(model, row, reporter_);
  if (!fields) return false;
  return RunChannelDialog<AnalogChannelEditDialog>(
      model, reporter_, std::move(*fields), parent, [&](const AnalogChannelEditDialog& dialog) {
        return ApplyAnalogChannelEdit(model, row, dialog.Fields(), dialog.Action(), reporter_);
      });
}

bool EditDialogs::AddChannel() {
  ListViewModel& model = document_.Model();
  QWidget* parent = table_.window();
  if (model.showDigital) {
    return RunChannelDialog<DigitalChannelEditDialog>(
        model, reporter_, OpenNewDigitalChannel(model, reporter_), parent, [&](const DigitalChannelEditDialog& dialog) {
          return ApplyNewDigitalChannel(model, dialog.Fields(), reporter_);
        });
  }
  return RunChannelDialog<AnalogChannelEditDialog>(
      model, reporter_, OpenNewAnalogChannel(model, reporter_), parent,
      [&](const AnalogChannelEditDialog& dialog) { return ApplyNewAnalogChannel(model, dialog.Fields(), reporter_); });
}

bool EditDialogs::EditSatellite(std::size_t row) {
  ListViewModel& model = document_.Model();
  auto fields = OpenSatelliteEdit(model, row, reporter_);
  if (!fields) return false;
  SatelliteEditDialog dialog(std::move(*fields), table_.window());
  if (dialog.exec() != QDialog::Accepted) return false;
  return ApplySatelliteEdit(model, row, dialog.Fields(), reporter_);
}

void EditDialogs::Show(std::optional<std::size_t> row) {
  listChanged_();
  if (!row || static_cast<int>(*row) >= table_.model()->rowCount()) return;
  const int shown = static_cast<int>(*row);
  table_.selectRow(shown);
  table_.scrollTo(table_.model()->index(shown, 0));
  table_.setFocus();
}

}  // namespace chanora
