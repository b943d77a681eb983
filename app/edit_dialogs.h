#pragma once

#include <QObject>
#include <cstddef>
#include <functional>
#include <optional>


namespace chanora {

class ListView;

class Document;
class Reporter;

// What a double click on the list and the New command edit: the channel or
// satellite of a row, or a new channel, each through its dialog; the editor
// checks, applies and records for undo what the dialog took.
class EditDialogs : public QObject {
  Q_OBJECT

 public:
  // `listChanged` shows the list anew after an edit.
  EditDialogs(Document& document, Reporter& reporter, ListView& table, std::function<void()> listChanged,
              QObject* parent);

  // A double click on the list (anywhere on it): with one row selected, the
  // dialog of that row in a channel view or the Satellite List; with none or
  // several in a channel view, a new channel. Only while a list is loaded.
  void DoubleClick();
  // A new channel for the channel view shown.
  void NewChannel();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool EditChannel(std::size_t row);
  bool EditSatellite(std::size_t row);
  bool AddChannel();
  // The list shown anew, `row` (if any) selected and in view.
  void Show(std::optional<std::size_t> row);

  Document& document_;
  Reporter& reporter_;
  ListView& table_;
  std::function<void()> listChanged_;
};

}  // namespace chanora
