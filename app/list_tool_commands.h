#pragma once

#include <QObject>
#include <QPointer>

#include "document/document.h"
#include "document/list_tools.h"

class QAction;
class QMainWindow;

namespace chanora {

class CompareDialog;
class ProblemsDock;

// The commands that look at the open list beside another file: Compare
// With and Export in the File menu, Like Reference List in the Sort menu,
// and the Problems dock of a list that Open refused.
class ListToolCommands : public QObject {
  Q_OBJECT

 public:
  ListToolCommands(Document& document, ChoosePath choose, QMainWindow& window);

  QAction* compareWith() const { return compareWith_; }
  QAction* exportList() const { return exportList_; }
  QAction* likeReference() const { return likeReference_; }

  // After an Open: every problem of a refused list shown, else the dock hidden.
  void Opened();
  void SetEnabled(bool enabled);

 signals:
  // The document's list was changed.
  void listChanged();
  // A double click on a difference asks to show this record.
  void placeChosen(chanora::ListPlace place);

 private:
  void CompareWith();
  void Export();
  void LikeReference();

  Document& document_;
  ChoosePath choose_;
  QMainWindow& window_;
  QAction* compareWith_;
  QAction* exportList_;
  QAction* likeReference_;
  ProblemsDock* problems_;
  QPointer<CompareDialog> compare_;
};

}  // namespace chanora
