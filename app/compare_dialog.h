#pragma once

#include <QDialog>

#include "listmatch/list_compare.h"

namespace chanora {

// The differences between the open list and another, one a row (kind,
// change, label, fields). A double click on a row asks to go to its record.
class CompareDialog : public QDialog {
  Q_OBJECT

 public:
  CompareDialog(ListComparison comparison, const QString& otherPath, QWidget* parent);

 signals:
  void differenceActivated(const chanora::Difference& difference);

 private:
  ListComparison comparison_;
};

}  // namespace chanora
