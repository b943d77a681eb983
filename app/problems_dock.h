#pragma once

#include <QDockWidget>
#include <string>
#include <vector>

#include "compiler/check_pass.h"

class QTableWidget;

namespace chanora {

// Every problem of a list that Open refused, each on its line, so that a
// list can be mended in one go; Copy puts them on the clipboard as
// "FILE:LINE: message" lines.
class ProblemsDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit ProblemsDock(QWidget* parent);

  void ShowProblems(const std::vector<CheckProblem>& problems, const std::string& path);

 private:
  void Copy() const;

  QTableWidget* table_;
  std::string copied_;
};

}  // namespace chanora
