#include "app/dialog_fields.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace chanora {

QString FieldText(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ListText(const QString& text) { return text.toLatin1().toStdString(); }

QLineEdit* AddLineEdit(QFormLayout& form, const char* label, const char* objectName, const std::string& text,
                       int maxLength) {
  auto* edit = new QLineEdit(FieldText(text));
  edit->setObjectName(QString::fromLatin1(objectName));
  if (maxLength > 0) edit->setMaxLength(maxLength);
  auto* caption = new QLabel(QString::fromLatin1(label));
  caption->setBuddy(edit);
  form.addRow(caption, edit);
  return edit;
}

QComboBox* AddChoice(QFormLayout& form, const char* label, const char* objectName,
                     std::span<const std::string_view> words, int chosen) {
  auto* choice = new QComboBox;
  choice->setObjectName(QString::fromLatin1(objectName));
  for (std::string_view word : words) choice->addItem(FieldText(std::string(word)));
  choice->setCurrentIndex(chosen);
  auto* caption = new QLabel(QString::fromLatin1(label));
  caption->setBuddy(choice);
  form.addRow(caption, choice);
  return choice;
}

RadioPair::RadioPair(QWidget* parent, const char* first, const char* second, const char* objectName)
    : first_(new QRadioButton(QString::fromLatin1(first), parent)),
      second_(new QRadioButton(QString::fromLatin1(second), parent)),
      group_(new QButtonGroup(parent)) {
  const QString name = QString::fromLatin1(objectName);
  first_->setObjectName(name + "First");
  second_->setObjectName(name + "Second");
  group_->addButton(first_);
  group_->addButton(second_);
}

void RadioPair::AddTo(QHBoxLayout& row) const {
  row.addWidget(first_);
  row.addWidget(second_);
  row.addStretch();
}

void RadioPair::AddTo(QFormLayout& form, const char* label) const {
  auto* row = new QHBoxLayout;
  AddTo(*row);
  auto* caption = new QLabel(QString::fromLatin1(label));
  caption->setBuddy(first_);
  form.addRow(caption, row);
}

void RadioPair::Check(std::optional<bool> first) {
  // An exclusive group keeps one button checked: leave it to clear both.
  group_->setExclusive(false);
  first_->setChecked(first == true);
  second_->setChecked(first == false);
  group_->setExclusive(true);
}

std::optional<bool> RadioPair::FirstChecked() const {
  if (first_->isChecked()) return true;
  if (second_->isChecked()) return false;
  return std::nullopt;
}

QPushButton* MakeButton(const char* text, const char* objectName, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setAutoDefault(false);
  return button;
}

ChannelButtons::ChannelButtons(QDialog& dialog, bool isNew)
    : ok(MakeButton("&Ok", "ok", &dialog)),
      cancel(MakeButton("&Cancel", "cancel", &dialog)),
      remove(MakeButton("&Delete", "delete", &dialog)),
      insertNull(MakeButton("&Insert Null", "insertNull", &dialog)) {
  ok->setDefault(true);
  remove->setVisible(!isNew);
  insertNull->setVisible(!isNew);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
}

QHBoxLayout* ChannelButtons::Row() const {
  auto* row = new QHBoxLayout;
  row->addWidget(remove);
  row->addWidget(insertNull);
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

QPushButton* ChannelButtons::ForKey(int key) const {
  if (remove->isHidden()) return nullptr;
  if (key == Qt::Key_Insert) return insertNull;
  if (key == Qt::Key_Delete && ok->hasFocus()) return remove;
  return nullptr;
}

void LayOutDialog(QDialog& dialog, const QList<QWidget*>& left, const QList<QWidget*>& right, QHBoxLayout* buttons,
                  const QList<QWidget*>& order) {
  auto* columns = new QHBoxLayout;
  for (const QList<QWidget*>* groups : {&left, &right}) {
    auto* column = new QVBoxLayout;
    for (QWidget* group : *groups) column->addWidget(group);
    column->addStretch();
    columns->addLayout(column);
  }
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(columns);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  for (qsizetype k = 1; k < order.size(); ++k) QWidget::setTabOrder(order[k - 1], order[k]);
  order.front()->setFocus();
}

namespace {

QLineEdit* AddShownField(QFormLayout& form, const char* label, const char* objectName) {
  QLineEdit* field = AddLineEdit(form, label, objectName, {});
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::ClickFocus);
  return field;
}

}  // namespace

SatelliteFields::SatelliteFields(const ListViewModel& model, Reporter& reporter, SatelliteChoice choice, bool typed,
                                 QWidget* parent)
    : QGroupBox(QStringLiteral("Satellite"), parent),
      model_(model),
      reporter_(reporter),
      choice_(std::move(choice)),
      names_(new QComboBox) {
  auto* form = new QFormLayout(this);
  names_->setObjectName("satellite");
  names_->setEditable(typed);
  if (typed) names_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& name : choice_.names) names_->addItem(FieldText(name));
  names_->setCurrentIndex(choice_.chosen ? static_cast<int>(*choice_.chosen) : -1);
  if (typed && !choice_.chosen) names_->setEditText({});
  setFocusProxy(names_);
  auto* caption = new QLabel(QStringLiteral("Na&me"));
  caption->setBuddy(names_);
  form->addRow(caption, names_);
  lnbHigh_ = AddShownField(*form, "LNB_LO High[MHz]", "lnbHigh");
  lnbLow_ = AddShownField(*form, "LNB_LO Low[MHz]", "lnbLow");
  position_ = AddShownField(*form, "Position", "position");
  degree_ = AddShownField(*form, "Degree", "degree");
  auto* hint = new QLabel(QStringLiteral("(E180.0 ~ W180.0) , East(+), West(-)"));
  hint->setEnabled(false);
  form->addRow(QString(), hint);
  ShowValues();
  connect(names_, &QComboBox::currentIndexChanged, this, &SatelliteFields::Choose);
}

SatelliteChoice SatelliteFields::Choice() const {
  SatelliteChoice choice = choice_;
  // A typed name that is not the chosen entry's chooses no satellite.
  if (choice.chosen && names_->currentText() != names_->itemText(static_cast<int>(*choice.chosen))) {
    choice.chosen.reset();
  }
  return choice;
}

void SatelliteFields::Choose(int index) {
  if (index < 0) return;
  ChooseSatellite(model_, choice_, static_cast<std::size_t>(index), reporter_);
  ShowValues();
}

void SatelliteFields::ShowValues() {
  lnbHigh_->setText(FieldText(choice_.lnbHigh));
  lnbLow_->setText(FieldText(choice_.lnbLow));
  position_->setText(FieldText(choice_.position));
  degree_->setText(FieldText(choice_.degree));
}

}  // namespace chanora
