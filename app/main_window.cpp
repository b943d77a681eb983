#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "app/about_dialog.h"
#include "app/edit_dialogs.h"
#include "app/find_bar.h"
#include "app/icons.h"
#include "app/list_printer.h"
#include "app/list_table_model.h"
#include "app/list_tool_commands.h"
#include "app/list_view.h"
#include "app/options_dialog.h"
#include "app/transfer_runner.h"
#include "document/options.h"
#include "document/settings.h"
#include "editor/column_sort.h"

namespace chanora {
namespace {

// Not a text of the system: it had no way to leave during a transfer.
constexpr const char* kCloseDuringTransfer = "A transfer is running.\r\nCancel it and close the window?";

QString Text(const char* text) { return QString::fromLatin1(text); }

std::optional<std::string> ShowFileDialog(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog dialog(parent, DisplayText(request.title));
  const bool save = request.kind == FileDialogRequest::Kind::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QStringList filters;
  for (const FileFilter& filter : request.filters) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) patterns << DisplayText(pattern);
    filters << DisplayText(filter.text) + " (" + patterns.join(' ') + ")";
  }
  dialog.setNameFilters(filters);
  if (request.folder) dialog.setDirectory(QString::fromStdString(*request.folder));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();  // paths are UTF-8 on every system
}

// The wait cursor for a command that keeps the window's thread busy.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QAction* MakeAction(QObject* parent, const char* objectName, const char* text, const char* prompt,
                    const char* tip = nullptr) {
  auto* action = new QAction(Text(text), parent);
  action->setObjectName(Text(objectName));
  action->setStatusTip(Text(prompt));
  action->setToolTip(Text(tip ? tip : prompt));
  return action;
}

void SetChecked(QAction* action, bool checked) {
  action->setCheckable(true);
  action->setChecked(checked);
}

void ApplyColours(QTableView& table, const ListColours& colours) {
  QPalette palette = table.palette();
  palette.setColor(QPalette::Text, QColor(colours.text.red, colours.text.green, colours.text.blue));
  palette.setColor(QPalette::Base,
                   QColor(colours.background.red, colours.background.green, colours.background.blue));
  table.setPalette(palette);
}

}  // namespace

MainWindow::MainWindow(Settings& settings, TransferSettings timing)
    : settings_(settings),
      reporter_(this),
      document_(settings, reporter_),
      tableModel_(new ListTableModel(document_.Model(), this)),
      table_(new ListView(this)),
      runner_(new TransferRunner(document_, reporter_, this, std::move(timing))) {
  setWindowIcon(ApplicationIcon());
  table_->setObjectName("listView");
  table_->setModel(tableModel_);
  table_->setShowGrid(false);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // Rows as tight as a report list's: a line of text and a small margin.
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ApplyColours(*table_, ListViewColours(settings_));
  setCentralWidget(CreateFind());

  CreateCommands();
  CreateListTools();
  CreateMenus();
  CreateToolBar();
  CreateMessageWindow();
  statusBar();

  connect(&reporter_, &WindowReporter::lineAppended, this, &MainWindow::AppendMessage);
  connect(&reporter_, &WindowReporter::progressSet, this, &MainWindow::SetProgress);
  connect(runner_, &TransferRunner::started, this, &MainWindow::UpdateCommands);
  connect(runner_, &TransferRunner::ended, this, &MainWindow::TransferEnded);
  connect(table_, &ListView::rowsDropped, this, &MainWindow::RowsDropped);
  connect(table_, &ListView::columnSortRequested, this, &MainWindow::SortColumn);
  auto* edits = new EditDialogs(document_, reporter_, *table_, [this] { ListChanged(); }, this);
  connect(commands_.newChannel, &QAction::triggered, edits, &EditDialogs::NewChannel);
  ListChanged();
  table_->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateCommands() {
  const QStyle& look = *style();
  Commands& c = commands_;
  c.open = MakeAction(this, "open", "&Open...\tCtrl+O", "Open an existing document", "Open");
  c.open->setShortcut(QKeySequence::Open);
  c.open->setIcon(ThemeIcon("document-open", look, QStyle::SP_DialogOpenButton));
  connect(c.open, &QAction::triggered, this, &MainWindow::Open);
  c.save = MakeAction(this, "save", "&Save\tCtrl+S", "Save the active document", "Save");
  c.save->setShortcut(QKeySequence::Save);
  c.save->setIcon(ThemeIcon("document-save", look, QStyle::SP_DialogSaveButton));
  connect(c.save, &QAction::triggered, this, &MainWindow::Save);
  c.saveAs = MakeAction(this, "saveAs", "Save &As...", "Save the active document with a new name", "Save As");
  c.saveAs->setIcon(ThemeIcon("document-save-as", look, QStyle::SP_DriveFDIcon));
  connect(c.saveAs, &QAction::triggered, this, &MainWindow::SaveAs);
  c.exit = MakeAction(this, "exit", "E&xit", "Quit the application; prompts to save documents", "Exit");
  connect(c.exit, &QAction::triggered, this, &QWidget::close);

  c.compileBasic = MakeAction(this, "compileBasic", "&Basic", "Basic Compile");
  c.compileBasic->setIcon(ThemeIcon("run-build", look, QStyle::SP_MediaPlay));
  connect(c.compileBasic, &QAction::triggered, this, [this] { Compile(CompileKind::Basic); });
  c.compileOneList = MakeAction(this, "compileOneList", "1  List", "Pre-Installed Compile => 1 List");
  c.compileOneList->setIcon(ThemeIcon("run-build-install", look, QStyle::SP_MediaSeekForward));
  connect(c.compileOneList, &QAction::triggered, this, [this] { Compile(CompileKind::PreInstalled); });
  c.compileSplit = MakeAction(this, "compileSplit", "AD  Split  List", "Pre-Installed Compile => Split List");
  c.compileSplit->setIcon(ThemeIcon("run-build-configure", look, QStyle::SP_MediaSkipForward));
  connect(c.compileSplit, &QAction::triggered, this, [this] { Compile(CompileKind::Split); });

  c.downloadCurrent = MakeAction(this, "downloadCurrent", "Current",
                                 "Download Current Channellist [PC=>Settop]**MUST POWER OFF AND TURN ON ");
  c.downloadCurrent->setIcon(ThemeIcon("go-down", look, QStyle::SP_ArrowDown));
  connect(c.downloadCurrent, &QAction::triggered, this, &MainWindow::DownloadCurrent);
  c.downloadOthers = MakeAction(this, "downloadOthers", "Others",
                                "Download Program or  compiled channel list file or Hex file [PC=>Settop]");
  c.downloadOthers->setIcon(ThemeIcon("go-bottom", look, QStyle::SP_FileDialogEnd));
  connect(c.downloadOthers, &QAction::triggered, this, &MainWindow::DownloadOthers);
  c.upload = MakeAction(this, "upload", "Upload Start",
                        "upload channel list to PC from settop **Enable When Settop display \"___1\"");
  c.upload->setIcon(ThemeIcon("go-up", look, QStyle::SP_ArrowUp));
  connect(c.upload, &QAction::triggered, this, &MainWindow::Upload);

  c.newChannel = MakeAction(this, "newChannel", "&New (F2)", "Make New Channel");
  c.newChannel->setShortcut(Qt::Key_F2);
  c.newChannel->setIcon(ThemeIcon("document-new", look, QStyle::SP_FileIcon));
  c.cut = MakeAction(this, "cut", "&Cut (F3)", "Cut Channel");
  c.cut->setShortcut(Qt::Key_F3);
  c.paste = MakeAction(this, "paste", "&Paste (F4)", "Paste Channel");
  c.paste->setShortcut(Qt::Key_F4);
  c.insertNull = MakeAction(this, "insertNull", "&Insert Null", "Insert Null Channel at Selected Position(s)");
  c.insertNull->setShortcut(Qt::Key_Insert);
  c.insertNull->setIcon(ThemeIcon("list-add", look, QStyle::SP_FileDialogNewFolder));
  c.deleteChannels = MakeAction(this, "delete", "&Delete", "Delete Selected Channel(s)");
  c.deleteChannels->setShortcut(Qt::Key_Delete);
  c.deleteChannels->setIcon(ThemeIcon("edit-delete", look, QStyle::SP_TrashIcon));
  c.undo = MakeAction(this, "undo", "&Undo", "Undo");
  c.undo->setIcon(ThemeIcon("edit-undo", look, QStyle::SP_ArrowBack));
  const std::pair<QAction*, EditCommand> edits[] = {{c.cut, EditCommand::Cut},
                                                    {c.paste, EditCommand::Paste},
                                                    {c.insertNull, EditCommand::InsertNull},
                                                    {c.deleteChannels, EditCommand::Delete}};
  for (const auto& [action, command] : edits) {
    connect(action, &QAction::triggered, this, [this, command = command] { EditRows(command); });
  }
  connect(c.undo, &QAction::triggered, this, &MainWindow::UndoEdit);

  c.sortName = MakeAction(this, "sortName", "Channel Name", "Sort by Satellite >> Type >> Channel Name");
  c.sortName->setIcon(ThemeIcon("view-sort-ascending", look, QStyle::SP_FileDialogListView));
  c.sortFrequency =
      MakeAction(this, "sortFrequency", "Frequency", "Sort by Satellite >> Type >> Frequency >> Channel Name");
  c.sortFrequency->setIcon(ThemeIcon("view-sort", look, QStyle::SP_FileDialogDetailedView));
  c.sortBouquet = MakeAction(this, "sortBouquet", "Bouquet", "Sort by Satellite >> Type >> Bouquet >> Channel Name");
  c.sortBouquet->setIcon(ThemeIcon("view-sort-descending", look, QStyle::SP_FileDialogInfoView));
  connect(c.sortName, &QAction::triggered, this, [this] { Sort(SortMode::Name); });
  connect(c.sortFrequency, &QAction::triggered, this, [this] { Sort(SortMode::Frequency); });
  connect(c.sortBouquet, &QAction::triggered, this, [this] { Sort(SortMode::Bouquet); });

  c.toolbar = MakeAction(this, "viewToolbar", "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar");
  c.statusBar = MakeAction(this, "viewStatusBar", "&Status Bar", "Show or hide the status bar", "Toggle StatusBar");
  connect(c.statusBar, &QAction::triggered, this, [this](bool shown) { statusBar()->setVisible(shown); });
  c.messageWindow = MakeAction(this, "viewMessageWindow", "View Dialog Bar ", "Show or hide the message window");
  connect(c.messageWindow, &QAction::triggered, this, &MainWindow::ToggleMessageWindow);
  c.detail = MakeAction(this, "viewDetail", "View Detail", "View Detail");
  connect(c.detail, &QAction::triggered, this, &MainWindow::ToggleDetail);

  c.option = MakeAction(this, "option", "&Option          ", "Setting Option", "Setting Option");
  c.option->setIcon(ThemeIcon("preferences-system", look, QStyle::SP_FileDialogDetailedView));
  connect(c.option, &QAction::triggered, this, &MainWindow::ShowOptions);
  c.helpTopics = MakeAction(this, "helpTopics", "&Help Topics", "List Help topics", "Help Topics");
  c.helpTopics->setShortcut(QKeySequence::HelpContents);
  c.about = MakeAction(this, "about", "&About Chanora...", "Display program information, version number and copyright",
                       "About");
  c.about->setIcon(ThemeIcon("help-about", look, QStyle::SP_MessageBoxInformation));
  connect(c.about, &QAction::triggered, this, &MainWindow::ShowAbout);
  c.print = MakeAction(this, "print", "&Print...\tCtrl+P", "Print the active document", "Print");
  c.print->setShortcut(QKeySequence::Print);
  c.print->setIcon(ThemeIcon("document-print", look, QStyle::SP_FileDialogContentsView));
  connect(c.print, &QAction::triggered, this, &MainWindow::PrintList);
  // Part of the window, not of a menu: the keys work while the menu bar is hidden.
  for (QAction* keyed : {c.print, c.newChannel, c.cut, c.paste, c.insertNull, c.deleteChannels}) addAction(keyed);
}

QAction* MainWindow::AddViewCommand(const char* objectName, const char* text, const char* prompt, SectionKind section,
                                    bool digital, const QIcon& icon) {
  QAction* action = MakeAction(this, objectName, text, prompt);
  action->setIcon(icon);
  connect(action, &QAction::triggered, this, [this, section, digital] { ShowView(section, digital); });
  views_.push_back({action, section, digital});
  return action;
}

void MainWindow::CreateMenus() {
  const Commands& c = commands_;
  QMenu* file = menuBar()->addMenu(Text("&File     "));
  file->addActions({c.open, c.save, c.saveAs});
  file->addSeparator();
  file->addActions({listTools_->compareWith(), listTools_->exportList()});
  file->addSeparator();
  file->addAction(c.exit);

  QMenu* compile = menuBar()->addMenu(Text("&Compile"));
  compile->addAction(c.compileBasic);
  QMenu* preInstalled = compile->addMenu(Text("Pre-Installed"));
  preInstalled->addActions({c.compileOneList, c.compileSplit});

  QMenu* download = menuBar()->addMenu(Text("&Download"));
  download->addActions({c.downloadCurrent, c.downloadOthers});
  menuBar()->addMenu(Text("&Upload          "))->addAction(c.upload);

  QMenu* edit = menuBar()->addMenu(Text("&Edit Channel"));
  edit->setObjectName("editChannelMenu");
  edit->addActions({c.newChannel, c.cut, c.paste});
  edit->addSeparator();
  edit->addActions({c.insertNull, c.deleteChannels});
  edit->addSeparator();
  edit->addAction(c.undo);
  table_->SetPopupMenu(edit);

  QMenu* sort = menuBar()->addMenu(Text("&Sort "));
  sort->addActions({c.sortName, c.sortFrequency, c.sortBouquet});
  sort->addSeparator();
  sort->addAction(listTools_->likeReference());

  QMenu* view = menuBar()->addMenu(Text("&View         "));
  view->addActions({c.toolbar, c.statusBar, c.messageWindow});
  view->addSeparator();
  const QStyle& look = *style();
  view->addAction(AddViewCommand("viewDigital", "Digital Channel", "View Digital Channel", SectionKind::None, true,
                                 TvIcon()));
  view->addAction(AddViewCommand("viewAnalog", "Analog Channel", "View Analog Channel", SectionKind::None, false,
                                 ThemeIcon("video-display", look, QStyle::SP_DesktopIcon)));
  view->addAction(AddViewCommand("viewSatellites", "Satellite List", "View Satellite Infomation",
                                 SectionKind::Satellite, true, ThemeIcon("network-wireless", look, QStyle::SP_DriveNetIcon)));
  view->addSeparator();
  QMenu* other = view->addMenu(Text("Other Information"));
  other->addAction(AddViewCommand("viewChannelList", "Digital Channel List", "Digital Channel List", SectionKind::Channel, true));
  other->addAction(AddViewCommand("viewAnalogList", "Analog Channel List", "Analog Channel List", SectionKind::Analog, true));
  other->addAction(
      AddViewCommand("viewPidList", "Digital Channel Pid List", "Digital Channel Pid List", SectionKind::ChannelPid, true));
  other->addAction(AddViewCommand("viewTpList", "Digital TP List", "Digital TP List", SectionKind::Digital, true));
  other->addAction(
      AddViewCommand("viewSatNameList", "Satellite Name List", "Satellite Name List", SectionKind::SatName, true));
  view->addAction(c.detail);

  // A menu bar draws an action's icon in place of its text: the bar's item is
  // the text alone, standing for the command.
  QAction* optionItem = menuBar()->addAction(c.option->text());
  optionItem->setStatusTip(c.option->statusTip());
  connect(optionItem, &QAction::triggered, c.option, &QAction::trigger);
  connect(c.option, &QAction::enabledChanged, optionItem, &QAction::setEnabled);
  QMenu* help = menuBar()->addMenu(Text("&Help"));
  help->addAction(c.helpTopics);
  help->addSeparator();
  help->addAction(c.about);
}

void MainWindow::CreateToolBar() {
  const Commands& c = commands_;
  toolBar_ = addToolBar(Text("Toolbar"));
  toolBar_->setObjectName("toolBar");
  toolBar_->addActions({c.open, c.save, c.saveAs});
  toolBar_->addSeparator();
  toolBar_->addAction(c.print);
  toolBar_->addSeparator();
  toolBar_->addAction(c.about);
  toolBar_->addAction(QWhatsThis::createAction(this));
  toolBar_->addSeparator();
  toolBar_->addActions({c.compileBasic, c.compileOneList, c.compileSplit});
  toolBar_->addSeparator();
  toolBar_->addActions({c.downloadCurrent, c.downloadOthers});
  toolBar_->addSeparator();
  toolBar_->addAction(c.upload);
  toolBar_->addSeparator();
  toolBar_->addActions({c.newChannel, c.insertNull, c.deleteChannels, c.undo});
  toolBar_->addSeparator();
  toolBar_->addActions({c.sortName, c.sortFrequency, c.sortBouquet});
  toolBar_->addSeparator();
  for (std::size_t i = 0; i < 3; ++i) toolBar_->addAction(views_[i].action);
  toolBar_->addSeparator();
  toolBar_->addAction(c.option);
  connect(c.toolbar, &QAction::triggered, toolBar_, &QWidget::setVisible);
  connect(toolBar_, &QToolBar::visibilityChanged, this, &MainWindow::UpdateCommands);
}

void MainWindow::CreateMessageWindow() {
  messageDock_ = new QDockWidget(Text("Message"), this);
  messageDock_->setObjectName("messageWindow");
  messageDock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  messageText_ = new QPlainTextEdit(messageDock_);
  messageText_->setObjectName("messageText");
  messageText_->setReadOnly(true);
  messageText_->setLineWrapMode(QPlainTextEdit::NoWrap);
  messageDock_->setWidget(messageText_);
  addDockWidget(Qt::LeftDockWidgetArea, messageDock_);
  messageDock_->hide();
  connect(messageDock_, &QDockWidget::visibilityChanged, this, [this] { UpdateCommands(); });
}

QWidget* MainWindow::CreateFind() {
  auto* area = new QWidget(this);
  findBar_ = new FindBar(area);
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(findBar_);
  layout->addWidget(table_);
  connect(findBar_, &FindBar::textChanged, this, &MainWindow::FilterList);
  connect(findBar_, &FindBar::nextRequested, table_, &ListView::SelectNextShown);
  connect(findBar_, &FindBar::closed, this, &MainWindow::CloseFind);
  find_ = MakeAction(this, "find", "Find", "Find channels containing a text");
  find_->setShortcut(QKeySequence::Find);
  connect(find_, &QAction::triggered, findBar_, &FindBar::Open);
  addAction(find_);
  return area;
}

// The filter follows every change of the list and of the list shown, as
// long as the box is open.
void MainWindow::FilterList() {
  const QString text = findBar_->Text();
  if (text.isEmpty()) {
    table_->FilterRows(std::nullopt);
  } else {
    table_->FilterRows(RowsContaining(document_.Model(), text.toLatin1().toStdString()));
  }
  UpdateCommands();
}

void MainWindow::CloseFind() {
  FilterList();
  const std::vector<std::size_t> selected = table_->SelectedRows();
  if (!selected.empty()) table_->scrollTo(tableModel_->index(static_cast<int>(selected.front()), 0));
  table_->setFocus();
}

void MainWindow::CreateListTools() {
  listTools_ = new ListToolCommands(document_, Chooser(), *this);
  connect(listTools_, &ListToolCommands::listChanged, this, &MainWindow::ListChanged);
  connect(listTools_, &ListToolCommands::placeChosen, this, [this](ListPlace place) {
    ShowView(place.section, place.digital);
    table_->scrollTo(tableModel_->index(static_cast<int>(place.row), 0));
    table_->SelectOnly(place.row);
  });
}

bool MainWindow::OpenList(const std::string& path) {
  const bool opened = document_.Open([&path](const FileDialogRequest&) { return std::optional<std::string>(path); });
  listTools_->Opened();
  ListChanged();
  return opened;
}

void MainWindow::ShowAtStart() {
  const QRect screenArea = screen()->geometry();
  setGeometry(screenArea.left(), screenArea.top(), screenArea.width() - 100, screenArea.height() - 50);
  showMaximized();
}

ChoosePath MainWindow::Chooser() {
  return [this](const FileDialogRequest& request) { return ShowFileDialog(this, request); };
}

void MainWindow::Open() {
  document_.Open(Chooser());
  listTools_->Opened();
  ListChanged();
}

void MainWindow::Save() {
  document_.Save(Chooser());
  ListChanged();
}

void MainWindow::SaveAs() {
  document_.SaveAs(Chooser());
  ListChanged();
}

void MainWindow::Compile(CompileKind kind) {
  {
    WaitCursor busy;
    document_.Compile(kind);
  }
  UpdateCommands();
}

void MainWindow::Sort(SortMode mode) {
  {
    WaitCursor busy;
    SortChannels(document_.Model(), mode);
  }
  ListChanged();
}

void MainWindow::EditRows(EditCommand command) {
  const EditOutcome outcome = RunStructureEdit(document_.Model(), command, table_->SelectedRows());
  if (outcome.changed) ShowEdited(outcome.select);
}

void MainWindow::UndoEdit() {
  if (document_.Model().Undo()) ShowEdited(std::nullopt);
}

void MainWindow::RowsDropped(std::size_t pressed, std::optional<std::size_t> drop) {
  const EditOutcome outcome = DropRows(document_.Model(), table_->SelectedRows(), pressed, drop, reporter_);
  if (outcome.changed) ShowEdited(outcome.select);
}

void MainWindow::SortColumn(int column, Qt::SortOrder order) {
  {
    WaitCursor busy;
    SortByColumn(document_.Model(), static_cast<std::size_t>(column),
                 order == Qt::AscendingOrder ? SortDirection::Ascending : SortDirection::Descending);
  }
  ListChanged();
  table_->ShowSortIndicator(column, order);
}

void MainWindow::ShowOptions() {
  OptionsDialog dialog(settings_, this);
  if (dialog.exec() == QDialog::Accepted && dialog.ColoursChanged()) {
    ApplyColours(*table_, ListViewColours(settings_));
    ShowList();
  }
}

void MainWindow::ShowAbout() { AboutDialog(this).exec(); }

// The list shown, as a table of its visible columns, through the print
// preview (which also prints to a printer or a PDF file).
void MainWindow::PrintList() {
  std::vector<int> columns;
  for (int column = 0; column < tableModel_->columnCount(); ++column) {
    if (!table_->isColumnHidden(column)) columns.push_back(column);
  }
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &columns](QPrinter* target) {
    if (!PrintTable(*tableModel_, columns, *target)) reporter_.Message("Printing failed.");
  });
  preview.exec();
}

void MainWindow::DownloadCurrent() { RunPrepared(document_.PrepareDownloadCurrent()); }

void MainWindow::DownloadOthers() { RunPrepared(document_.PrepareDownloadOthers(Chooser())); }

void MainWindow::Upload() { RunPrepared(document_.PrepareUpload(Chooser())); }

void MainWindow::RunPrepared(std::optional<Transfer> transfer) {
  if (transfer) runner_->Run(*transfer);
  ListChanged();
  if (closeAfterTransfer_) {
    closeAfterTransfer_ = false;
    close();
  }
}

void MainWindow::TransferEnded(Transfer::Kind kind) {
  RemoveProgress();
  if (kind != Transfer::Kind::Upload) messageDock_->hide();
}

void MainWindow::ShowView(SectionKind section, bool digital) {
  ListViewModel& model = document_.Model();
  model.shownSection = section;
  if (section == SectionKind::None) model.showDigital = digital;
  ListChanged();
  if (auto problem = model.ShownListProblem()) reporter_.Message(*problem);
}

void MainWindow::ToggleDetail() {
  document_.Model().ToggleDetail();
  ListChanged();
}

void MainWindow::ToggleMessageWindow() { messageDock_->setVisible(!messageDock_->isVisible()); }

void MainWindow::AppendMessage(const QString& text) {
  messageDock_->show();
  if (text == QLatin1String("CLEAR ALL MESSAGE")) {
    messageText_->clear();
  } else if (text == QLatin1String("HIDE MESSAGE WINDOW")) {
    messageDock_->hide();
  } else if (text != QLatin1String("SHOW MESSAGE WINDOW")) {
    // The caller ends its own lines: two texts without one share a line.
    messageText_->moveCursor(QTextCursor::End);
    messageText_->insertPlainText(text);
    messageText_->ensureCursorVisible();
  }
}

void MainWindow::SetProgress(int percent) {
  if (!progress_) {
    progress_ = new QProgressBar(statusBar());
    progress_->setObjectName("transferProgress");
    progress_->setRange(0, 100);
    statusBar()->addWidget(progress_, 1);
  }
  progress_->setValue(percent);
}

void MainWindow::RemoveProgress() { delete progress_; }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (runner_->Running()) {
    // The window goes once the transfer has stopped.
    if (reporter_.Ask(kCloseDuringTransfer, "Chanora", Buttons::YesNo) == Answer::Yes) {
      closeAfterTransfer_ = true;
      runner_->Cancel();
    }
    event->ignore();
    return;
  }
  if (document_.ConfirmClose(Chooser())) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::ShowList() {
  tableModel_->Refresh();
  QHeaderView& header = *table_->horizontalHeader();
  for (int column = 0; column < tableModel_->columnCount(); ++column) {
    const int width = tableModel_->ColumnWidth(column);
    table_->setColumnHidden(column, width == 0);
    if (width > 0) header.resizeSection(column, width);
  }
  // Any change may undo a column's order.
  table_->ShowSortIndicator(std::nullopt);
  FilterList();
}

void MainWindow::ShowEdited(std::optional<std::size_t> select) {
  const int top = table_->verticalScrollBar()->value();
  ListChanged();
  table_->verticalScrollBar()->setValue(top);
  table_->SelectOnly(select);
}

void MainWindow::UpdateCommands() {
  const Commands& c = commands_;
  const ListViewModel& model = document_.Model();
  const bool idle = !runner_->Running();
  const bool loaded = document_.Loaded();
  const bool channelView = model.shownSection == SectionKind::None;
  const auto editable = [&](EditCommand command) { return EditCommandEnabled(model, loaded, command); };

  const std::pair<QAction*, bool> rules[] = {
      {c.open, document_.Enabled(DocumentCommand::Open)},
      {c.save, document_.Enabled(DocumentCommand::Save)},
      {c.saveAs, document_.Enabled(DocumentCommand::SaveAs)},
      {c.exit, true},
      {c.compileBasic, document_.Enabled(DocumentCommand::CompileBasic)},
      {c.compileOneList, document_.Enabled(DocumentCommand::CompilePreInstalled)},
      {c.compileSplit, document_.Enabled(DocumentCommand::CompileSplit)},
      {c.downloadCurrent, document_.Enabled(DocumentCommand::DownloadCurrent)},
      {c.downloadOthers, document_.Enabled(DocumentCommand::DownloadOthers)},
      {c.upload, document_.Enabled(DocumentCommand::Upload)},
      {c.newChannel, editable(EditCommand::New)},
      {c.cut, editable(EditCommand::Cut)},
      {c.paste, editable(EditCommand::Paste)},
      {c.insertNull, editable(EditCommand::InsertNull)},
      {c.deleteChannels, editable(EditCommand::Delete)},
      {c.undo, editable(EditCommand::Undo)},
      {c.sortName, loaded},
      {c.sortFrequency, loaded},
      {c.sortBouquet, loaded},
      {c.toolbar, true},
      {c.statusBar, true},
      {c.messageWindow, true},
      {c.detail, loaded && channelView},
      {c.option, true},
      {c.helpTopics, true},
      {c.about, true},
      {c.print, loaded},
  };
  for (const auto& [action, enabled] : rules) action->setEnabled(idle && enabled);
  listTools_->SetEnabled(idle && loaded);
  table_->SetRowDrags(idle && loaded && channelView && !table_->Filtered());
  table_->SetColumnSorts(idle && loaded && channelView);
  find_->setEnabled(idle && loaded);
  for (const ViewCommand& view : views_) {
    view.action->setEnabled(idle && loaded);
    SetChecked(view.action, model.shownSection == view.section &&
                                (view.section != SectionKind::None || model.showDigital == view.digital));
  }
  c.undo->setText(QString::fromStdString(model.History().MenuText()));
  // The sort orders are always shown checked.
  for (QAction* sort : {c.sortName, c.sortFrequency, c.sortBouquet}) SetChecked(sort, true);
  SetChecked(c.toolbar, toolBar_->isVisibleTo(this));
  SetChecked(c.statusBar, statusBar()->isVisibleTo(this));
  SetChecked(c.messageWindow, messageDock_->isVisibleTo(this));
  SetChecked(c.detail, model.detailColumns);
  setWindowTitle(QString::fromStdString(document_.Title()));
}

void MainWindow::ListChanged() {
  ShowList();
  UpdateCommands();
}

}  // namespace chanora
