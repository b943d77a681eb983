#pragma once

#include <QGroupBox>
#include <QString>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editor/satellite_choice.h"

class QButtonGroup;
class QDialog;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace chanora {

class ListViewModel;
class Reporter;

// What the edit dialogs share: the list's texts in a field and back, labelled
// fields, radio pairs and the satellite part of both channel dialogs.

QString FieldText(const std::string& text);
std::string ListText(const QString& text);

// A line edit under `label` (whose '&' marks its key) holding `text`; no
// limit when `maxLength` is 0.
QLineEdit* AddLineEdit(QFormLayout& form, const char* label, const char* objectName, const std::string& text,
                       int maxLength = 0);

// A drop-down of `words` under `label`, `chosen` selected.
QComboBox* AddChoice(QFormLayout& form, const char* label, const char* objectName,
                     std::span<const std::string_view> words, int chosen);

// Two radio buttons of which at most one is checked; neither when the record
// held a word outside the pair.
class RadioPair {
 public:
  RadioPair(QWidget* parent, const char* first, const char* second, const char* objectName);
  void AddTo(QHBoxLayout& row) const;
  // As a row of `form` under `label`, whose key moves to the pair.
  void AddTo(QFormLayout& form, const char* label) const;
  // true the first button, false the second, nothing neither.
  void Check(std::optional<bool> first);
  std::optional<bool> FirstChecked() const;
  QRadioButton* First() const { return first_; }

 private:
  QRadioButton* first_;
  QRadioButton* second_;
  QButtonGroup* group_;
};

QPushButton* MakeButton(const char* text, const char* objectName, QWidget* parent);

// The buttons of a channel dialog: Delete and Insert Null, for an edit only,
// at the left; Ok, the default, and Cancel at the right.
class ChannelButtons {
 public:
  ChannelButtons(QDialog& dialog, bool isNew);
  QHBoxLayout* Row() const;
  // The button a key stands for: Insert is Insert Null anywhere, Delete is
  // Delete while Ok has the focus; nothing for other keys or a new channel.
  QPushButton* ForKey(int key) const;

  QPushButton* ok;
  QPushButton* cancel;
  QPushButton* remove;
  QPushButton* insertNull;
};

// The dialog's group boxes in two columns above its buttons, with the focus
// moving through `order` as the fields are laid out.
void LayOutDialog(QDialog& dialog, const QList<QWidget*>& left, const QList<QWidget*>& right, QHBoxLayout* buttons,
                  const QList<QWidget*>& order);

// The satellite drop-down and the values of the chosen satellite, shown only;
// choosing another satellite asks the editor for its values.
class SatelliteFields : public QGroupBox {
  Q_OBJECT

 public:
  // `typed`: the drop-down's text can be typed, which leaves no satellite
  // chosen unless it names the chosen one.
  SatelliteFields(const ListViewModel& model, Reporter& reporter, SatelliteChoice choice, bool typed, QWidget* parent);
  SatelliteChoice Choice() const;

 private:
  void Choose(int index);
  void ShowValues();

  const ListViewModel& model_;
  Reporter& reporter_;
  SatelliteChoice choice_;
  QComboBox* names_;
  QLineEdit* lnbHigh_;
  QLineEdit* lnbLow_;
  QLineEdit* position_;
  QLineEdit* degree_;
};

}  // namespace chanora
