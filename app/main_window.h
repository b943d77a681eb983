#pragma once

#include <QMainWindow>
#include <QPointer>
#include <optional>
#include <string>
#include <vector>

#include "app/window_reporter.h"
#include "document/document.h"
#include "editor/edit_commands.h"
#include "editor/sorting.h"
#include "serial/transfer_settings.h"

class QAction;
class QDockWidget;
class QPlainTextEdit;
class QProgressBar;
class QToolBar;

namespace chanora {

class FindBar;
class ListTableModel;
class ListToolCommands;
class ListView;
class Settings;
class TransferRunner;

// The program's one window: menus, toolbar and status bar over the list
// view, and the message window at a side. Each command is one QAction shared
// by the menu and the toolbar; the document decides what it does and when it
// is enabled.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `timing` gives the waits of the serial transfers.
  explicit MainWindow(Settings& settings, TransferSettings timing = {});
  ~MainWindow() override;

  // Open's steps with `path` in place of its dialog.
  bool OpenList(const std::string& path);
  // Maximized, with its restored placement at the screen's top left.
  void ShowAtStart();

  Document& document() { return document_; }
  // Shows the list anew after a change made to the document's model.
  void ListChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void Open();
  void Save();
  void SaveAs();
  void Compile(CompileKind kind);
  void DownloadCurrent();
  void DownloadOthers();
  void Upload();
  void ShowView(SectionKind section, bool digital);
  void ToggleDetail();
  void ToggleMessageWindow();
  void AppendMessage(const QString& text);
  void SetProgress(int percent);

  void Sort(SortMode mode);
  void EditRows(EditCommand command);
  void UndoEdit();
  void RowsDropped(std::size_t pressed, std::optional<std::size_t> drop);
  void SortColumn(int column, Qt::SortOrder order);
  void FilterList();
  void CloseFind();
  void ShowOptions();
  void ShowAbout();
  void PrintList();

 private:
  struct Commands {
    QAction* open;
    QAction* save;
    QAction* saveAs;
    QAction* exit;
    QAction* compileBasic;
    QAction* compileOneList;
    QAction* compileSplit;
    QAction* downloadCurrent;
    QAction* downloadOthers;
    QAction* upload;
    QAction* newChannel;
    QAction* cut;
    QAction* paste;
    QAction* insertNull;
    QAction* deleteChannels;
    QAction* undo;
    QAction* sortName;
    QAction* sortFrequency;
    QAction* sortBouquet;
    QAction* toolbar;
    QAction* statusBar;
    QAction* messageWindow;
    QAction* detail;
    QAction* option;
    QAction* helpTopics;
    QAction* about;
    QAction* print;
  };
  // A View menu item and the list it shows.
  struct ViewCommand {
    QAction* action;
    SectionKind section;
    bool digital;
  };

  void CreateCommands();
  void CreateMenus();
  void CreateToolBar();
  void CreateMessageWindow();
  // The find box over the list and Ctrl+F, which opens it.
  QWidget* CreateFind();
  void CreateListTools();
  QAction* AddViewCommand(const char* objectName, const char* text, const char* prompt, SectionKind section,
                          bool digital, const QIcon& icon = {});
  ChoosePath Chooser();
  // Runs a prepared transfer, if any, and shows what it leaves.
  void RunPrepared(std::optional<Transfer> transfer);
  void TransferEnded(Transfer::Kind kind);
  void RemoveProgress();

  // The list shown anew: rows, columns and their widths.
  void ShowList();
  // The list shown anew after an edit, scrolled where it stood, with `select`
  // alone selected.
  void ShowEdited(std::optional<std::size_t> select);
  // Every command's enabled and checked state and the title, from the
  // document and the view; nothing while a transfer runs.
  void UpdateCommands();

  Settings& settings_;
  WindowReporter reporter_;
  Document document_;
  ListTableModel* tableModel_;
  ListView* table_;
  FindBar* findBar_ = nullptr;
  QAction* find_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QDockWidget* messageDock_ = nullptr;
  QPlainTextEdit* messageText_ = nullptr;
  QPointer<QProgressBar> progress_;
  TransferRunner* runner_;
  ListToolCommands* listTools_ = nullptr;
  Commands commands_{};
  std::vector<ViewCommand> views_;
  bool closeAfterTransfer_ = false;
};

}  // namespace chanora
