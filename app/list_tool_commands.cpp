#include "app/list_tool_commands.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>

#include "app/compare_dialog.h"
#include "app/problems_dock.h"

namespace chanora {
namespace {

QAction* MakeAction(QObject* parent, const char* objectName, const char* text, const char* prompt) {
  auto* action = new QAction(QString::fromLatin1(text), parent);
  action->setObjectName(QString::fromLatin1(objectName));
  action->setStatusTip(QString::fromLatin1(prompt));
  return action;
}

}  // namespace

ListToolCommands::ListToolCommands(Document& document, ChoosePath choose, QMainWindow& window)
    : QObject(&window),
      document_(document),
      choose_(std::move(choose)),
      window_(window),
      compareWith_(MakeAction(this, "compareWith", "Compare &With...", "Show how another list differs from this one")),
      exportList_(MakeAction(this, "exportList", "&Export...", "Write the shown list as CSV or JSON")),
      likeReference_(MakeAction(this, "likeReference", "Like Reference List...",
                                "Put the channels in the order of another list")),
      problems_(new ProblemsDock(&window)) {
  window.addDockWidget(Qt::BottomDockWidgetArea, problems_);
  problems_->hide();
  connect(compareWith_, &QAction::triggered, this, &ListToolCommands::CompareWith);
  connect(exportList_, &QAction::triggered, this, &ListToolCommands::Export);
  connect(likeReference_, &QAction::triggered, this, &ListToolCommands::LikeReference);
}

void ListToolCommands::Opened() {
  if (document_.RefusedProblems().empty()) {
    problems_->hide();
  } else {
    problems_->ShowProblems(document_.RefusedProblems(), document_.RefusedPath());
  }
}

void ListToolCommands::SetEnabled(bool enabled) {
  for (QAction* action : {compareWith_, exportList_, likeReference_}) action->setEnabled(enabled);
}

void ListToolCommands::CompareWith() {
  std::string chosen;
  auto remember = [this, &chosen](const FileDialogRequest& request) {
    std::optional<std::string> path = choose_(request);
    if (path) chosen = *path;
    return path;
  };
  std::optional<ListComparison> comparison = document_.CompareWith(remember);
  if (!comparison) return;
  // One comparison at a time, beside the list so that its rows can be visited.
  delete compare_;
  compare_ = new CompareDialog(std::move(*comparison), QString::fromStdString(chosen), &window_);
  compare_->setAttribute(Qt::WA_DeleteOnClose);
  connect(compare_, &CompareDialog::differenceActivated, this, [this](const Difference& difference) {
    if (auto place = PlaceInFirstList(document_.Model(), difference)) emit placeChosen(*place);
  });
  compare_->show();
}

void ListToolCommands::Export() { document_.Export(choose_); }

void ListToolCommands::LikeReference() {
  const bool taken = document_.OrderLikeReferenceList(choose_).has_value();
  if (taken) emit listChanged();
}

}  // namespace chanora
