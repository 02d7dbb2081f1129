#include "shell/qt/MainFrame.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "database/CommandIds.h"
#include "database/RecentFileLabels.h"
#include "database/ZAVDoc.h"
#include "platform/qt/LiteralText.h"
#include "platform/qt/WindowPlacement.h"
#include "platform/ErrorBox.h"
#include "platform/Profile.h"
#include "shell/qt/ChildFrame.h"
#include "shell/qt/CommandTexts.h"
#include "shell/qt/DrawnIcons.h"
#include "shell/qt/ZAVApp.h"

namespace {

constexpr int kDefaultToolBarStyle = 10240;  // aligned top, border below
constexpr int kAlignLeft = 0x1000, kAlignTop = 0x2000, kAlignRight = 0x4000, kAlignBottom = 0x8000;
constexpr int kStyleMask = 0x40FFFF;
constexpr double kShareOfRoom = 0.9;  // of the screen, and of the work area for a database window

// Toolbar buttons in order; 0 is a separator.
constexpr int kToolBarButtons[] = {cmd::kFileNew,
                                   cmd::kFileOpen,
                                   cmd::kFileSave,
                                   0,
                                   cmd::kFilePrint,
                                   0,
                                   cmd::kEditCut,
                                   cmd::kEditCopy,
                                   cmd::kEditPaste,
                                   0,
                                   cmd::kItemListReport,
                                   cmd::kGallery,
                                   cmd::kMarkedAndEliminated,
                                   cmd::kAnalyze,
                                   0,
                                   cmd::kThumbnailRegularSize,
                                   0,
                                   cmd::kMarkYes,
                                   cmd::kMarkNo,
                                   cmd::kMarkClear,
                                   cmd::kMarkOr,
                                   cmd::kMarkNever,
                                   cmd::kMarkOnly,
                                   cmd::kClearAllMarks,
                                   0,
                                   cmd::kEliminateItem,
                                   0,
                                   cmd::kAppAbout,
                                   0,
                                   cmd::kShowReferences,
                                   cmd::kShowDatabaseDescription};

// A text the document gives a command ("Unlock" for "&Lock") keeps the
// menu's access key: the menu text's key letter is marked where it first
// appears in the new text.
QString WithAccessKey(const QString& shown, const QString& menuText) {
  const int marker = menuText.indexOf('&');
  if (shown.contains('&') || marker < 0 || marker + 1 >= menuText.size()) return shown;
  const int at = shown.indexOf(menuText[marker + 1], 0, Qt::CaseInsensitive);
  return at < 0 ? shown : QString(shown).insert(at, '&');
}

Qt::ToolBarArea AreaOf(int style) {
  if (style & kAlignLeft) return Qt::LeftToolBarArea;
  if (style & kAlignRight) return Qt::RightToolBarArea;
  if (style & kAlignBottom) return Qt::BottomToolBarArea;
  return Qt::TopToolBarArea;
}

}  // namespace

CMainFrame::CMainFrame(CZAVApp& app) : m_app(app), m_mdi(new QMdiArea(this)) {
  setObjectName("mainFrame");
  setWindowTitle("QOR");
  setCentralWidget(m_mdi);
  PlaceOnScreen();
  BuildToolBar();
  // F1 is a command of its own, not a menu item.
  auto* help = new QAction(this);
  help->setShortcut(QKeySequence::HelpContents);
  help->setShortcutContext(Qt::ApplicationShortcut);
  connect(help, &QAction::triggered, this, [this] { OnCommand(cmd::kHelpKey); });
  addAction(help);
  connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { OnChildActivated(); });
  m_mdi->viewport()->installEventFilter(this);
  MakeRecentFileActions();
  RefreshRecentFiles();
  m_menusWithoutDatabase = BuildMenuSet(false);
  m_menusForDatabase = BuildMenuSet(true);
  ShowMenuSet();
  // In place of idle-time updates: the toolbar and the status panes follow
  // selections and focus changes that run no command.
  auto* idle = new QTimer(this);
  connect(idle, &QTimer::timeout, this, [this] {
    if (isVisible()) UpdateCommandStates();
  });
  idle->start(250);
}

CMainFrame::~CMainFrame() {
  // The frames go with the base class, after the members: no more news from them.
  disconnect(m_mdi, nullptr, this, nullptr);
  m_mdi->viewport()->removeEventFilter(this);
  for (CChildFrame* frame : Children()) disconnect(frame, nullptr, this, nullptr);
}

void CMainFrame::PlaceOnScreen() {
  // No size is stored: like a new window on the desktop, the program takes
  // most of the screen, so a key's long names and titles have room.
  const QRect screen = this->screen()->availableGeometry();
  platform::qt::PlaceCentred(*this, screen, screen.size() * kShareOfRoom);
}

void CMainFrame::PlaceChild(CChildFrame& frame, int earlier) {
  // A new database window fills most of the work area, one title bar further
  // down and right than the one before, as MDI windows cascade. The work area
  // has its size only once the main window is laid out: at start-up it is not
  // shown yet.
  layout()->activate();
  const QRect room = platform::qt::VisibleRoomFor(m_mdi);
  platform::qt::PlaceInCascade(frame, room, room.size() * kShareOfRoom, earlier);
}

QAction* CMainFrame::MakeAction(int command) {
  if (auto it = m_actions.find(command); it != m_actions.end()) return it->second;
  const CommandText* text = FindCommandText(command);
  auto* action = new QAction(text ? QString::fromUtf8(text->text) : QString::number(command), this);
  action->setObjectName(QString("command%1").arg(command));
  action->setData(command);
  action->setIcon(ToolbarIcon(command));
  if (text) {
    action->setStatusTip(text->prompt);
    action->setToolTip(QString(text->prompt));
    action->setCheckable(text->checkable);
    action->setShortcuts(CommandKeys(*text));
  }
  connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
  m_actions[command] = action;
  return action;
}

QAction* CMainFrame::Action(int command) const {
  auto it = m_actions.find(command);
  return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::BuildToolBar() {
  const int style = platform::UserProfile().GetInt("Main window", "ToolBarPosHoriz", kDefaultToolBarStyle);
  m_toolBar = new QToolBar("Toolbar", this);
  m_toolBar->setObjectName("toolBar");
  m_toolBar->setIconSize(QSize(16, 16));
  for (int command : kToolBarButtons) {
    if (command == 0)
      m_toolBar->addSeparator();
    else
      m_toolBar->addAction(MakeAction(command));
  }
  SetToolBarStyle((style & kAlignTop) ? kDefaultToolBarStyle : style);
}

void CMainFrame::SetToolBarStyle(int style) {
  removeToolBar(m_toolBar);
  addToolBar(AreaOf(style), m_toolBar);
  m_toolBar->show();
}

int CMainFrame::ToolBarStyle() const {
  switch (toolBarArea(m_toolBar)) {
    case Qt::LeftToolBarArea:
      return kAlignLeft | 0x0400;
    case Qt::RightToolBarArea:
      return kAlignRight | 0x0100;
    case Qt::BottomToolBarArea:
      return kAlignBottom | 0x0200;
    default:
      return kDefaultToolBarStyle;
  }
}

void CMainFrame::AddItems(QMenu* menu, std::initializer_list<int> commands) {
  for (int command : commands) {
    if (command == 0)
      menu->addSeparator();
    else
      menu->addAction(MakeAction(command));
  }
}

void CMainFrame::MakeRecentFileActions() {
  for (int i = 0; i < CZAVApp::kRecentFileCount; ++i) {
    auto* action = new QAction(this);
    action->setObjectName(QString("recent%1").arg(i + 1));
    // The entry's file is looked up when it is chosen: the list changes under it.
    connect(action, &QAction::triggered, this, [this, i] {
      const auto& files = m_app.RecentFiles();
      if (i >= static_cast<int>(files.size())) return;
      const std::string path = files[i];  // opening reorders the list
      RunCommand([&] { m_app.OpenRecentFile(path); });
      UpdateCommandStates();
    });
    m_recentFileActions.push_back(action);
  }
  m_recentFileSeparator = new QAction(this);
  m_recentFileSeparator->setSeparator(true);
}

void CMainFrame::RefreshRecentFiles() {
  const auto& files = m_app.RecentFiles();
  const std::vector<std::string> labels = RecentFileLabels(files);
  for (std::size_t i = 0; i < m_recentFileActions.size(); ++i) {
    QAction* action = m_recentFileActions[i];
    action->setVisible(i < files.size());
    if (i >= files.size()) continue;
    const QString path = QString::fromStdString(files[i]);
    const QString label = platform::qt::LiteralText(labels[i]);
    action->setText(QString("&%1 %2").arg(i + 1).arg(label));
    action->setStatusTip(path);
  }
  m_recentFileSeparator->setVisible(!files.empty());
}

QMenu* CMainFrame::AddMenu(QList<QMenu*>& menus, const QString& title) {
  auto* menu = new QMenu(title, this);
  connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
  menus << menu;
  return menu;
}

void CMainFrame::BuildFileMenu(QList<QMenu*>& menus, bool withDatabase) {
  QMenu* file = AddMenu(menus, "&File");
  AddItems(file, {cmd::kFileNew, cmd::kFileOpen, cmd::kOpenQorDatabase});
  if (withDatabase)
    AddItems(file, {cmd::kFileClose, cmd::kFileSave, cmd::kFileSaveAs, 0, cmd::kFilePageSetup, cmd::kFilePrint});
  file->addSeparator();
  file->addActions(QList<QAction*>(m_recentFileActions.begin(), m_recentFileActions.end()));
  file->addAction(m_recentFileSeparator);
  AddItems(file, {cmd::kAppExit});
}

QList<QMenu*> CMainFrame::BuildMenuSet(bool withDatabase) {
  QList<QMenu*> menus;
  BuildFileMenu(menus, withDatabase);
  if (withDatabase) {
    AddItems(AddMenu(menus, "&Edit"), {cmd::kEditCut, cmd::kEditCopy, cmd::kEditPaste});
    AddItems(AddMenu(menus, "&Reports"), {cmd::kItemListReport, cmd::kDisplayMenus, cmd::kGallery, 0, cmd::kAnalyze,
                                          cmd::kMarkedAndEliminated, cmd::kCommonAttributes});
    QMenu* options = AddMenu(menus, "&Options");
    QMenu* forgiveness = options->addMenu("&Forgiveness level");
    connect(forgiveness, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    AddItems(forgiveness, {cmd::kForgivenessLevel0, cmd::kForgivenessLevel0 + 1, cmd::kForgivenessLevel0 + 2,
                           cmd::kForgivenessLevel0 + 3});
    AddItems(options, {cmd::kAllowMissingData, cmd::kUseThumbnails, cmd::kToggleRightPaneRefresh, 0,
                       cmd::kItemDescriptionOptions, cmd::kItemListReportOptions, cmd::kMenuReport,
                       cmd::kGalleryOptions, cmd::kThumbnailImageSize, 0, cmd::kRefreshTreeOrder});
    AddItems(
        AddMenu(menus, "&Database"),
        {cmd::kClearAllMarks, 0, cmd::kDeleteAllExceptRemaining, 0, cmd::kNoMatchingImageFile, cmd::kImportItemImages,
         cmd::kImportMenuImages, cmd::kCreateThumbnails, 0, cmd::kLockDatabase, 0, cmd::kMerge, cmd::kExport});
    BuildWindowMenu(AddMenu(menus, "&Window"));
  } else {
    QAction* toolBar = m_toolBar->toggleViewAction();
    toolBar->setText("&Toolbar");
    AddMenu(menus, "&View")->addAction(toolBar);
  }
  AddItems(AddMenu(menus, "&Help"), {cmd::kHelpTopics, 0, cmd::kAppAbout});
  return menus;
}

// Cascade, Tile, the keys that step through the database windows, then one
// entry per open database window (the active one checked), as MDI programs
// list them; the entries are made anew each time the menu opens.
void CMainFrame::BuildWindowMenu(QMenu* window) {
  window->addAction("&Cascade", m_mdi, &QMdiArea::cascadeSubWindows);
  window->addAction("&Tile", m_mdi, &QMdiArea::tileSubWindows);
  window->addSeparator();
  QAction* next = window->addAction("Ne&xt Window", m_mdi, &QMdiArea::activateNextSubWindow);
  next->setObjectName("nextWindow");
  next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_Tab)});
  QAction* previous = window->addAction("Pre&vious Window", m_mdi, &QMdiArea::activatePreviousSubWindow);
  previous->setObjectName("previousWindow");
  previous->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
  for (QAction* action : {next, previous}) {
    // The menu lives off the bar while no database is open; its keys still work.
    action->setShortcutContext(Qt::ApplicationShortcut);
    addAction(action);
  }
  auto* listed = new QActionGroup(window);
  QAction* separator = window->addSeparator();
  connect(window, &QMenu::aboutToShow, this, [this, window, listed, separator] {
    for (QAction* old : listed->actions()) delete old;
    separator->setVisible(!m_mdi->subWindowList().isEmpty());
    int number = 0;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
      const QString caption = platform::qt::LiteralText(sub->windowTitle());
      QAction* entry = window->addAction(number < 9 ? QString("&%1 %2").arg(++number).arg(caption) : caption);
      entry->setObjectName("windowEntry");
      entry->setCheckable(true);
      entry->setChecked(sub == m_mdi->activeSubWindow());
      listed->addAction(entry);
      connect(entry, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
    }
  });
}

// Both menu sets live as long as the window and are only swapped on the bar:
// the swap can come from an entry of the very menu it takes away (Close,
// a recent file), and that menu is still running its own code then.
void CMainFrame::ShowMenuSet() {
  const bool withDatabase = ActiveChild() != nullptr;
  if (m_menusShown && withDatabase == m_menusWithDatabase) return;
  m_menusShown = true;
  m_menusWithDatabase = withDatabase;
  menuBar()->clear();
  // The one help command reads "&Help Topics" while no database is open.
  if (QAction* help = Action(cmd::kHelpTopics)) help->setText(withDatabase ? "&Help" : "&Help Topics");
  for (QMenu* menu : withDatabase ? m_menusForDatabase : m_menusWithoutDatabase) menuBar()->addMenu(menu);
}

CChildFrame* CMainFrame::ActiveChild() const {
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  if (!active && !m_mdi->subWindowList().isEmpty()) active = m_mdi->currentSubWindow();
  return qobject_cast<CChildFrame*>(active);
}

QList<CChildFrame*> CMainFrame::Children() const {
  QList<CChildFrame*> frames;
  for (QMdiSubWindow* window : m_mdi->subWindowList())
    if (auto* frame = qobject_cast<CChildFrame*>(window)) frames << frame;
  return frames;
}

void CMainFrame::AddChild(CChildFrame* frame) {
  const int earlier = static_cast<int>(m_mdi->subWindowList().size());
  m_mdi->addSubWindow(frame);
  PlaceChild(*frame, earlier);
  connect(
      frame, &QObject::destroyed, this, [this] { OnChildActivated(); }, Qt::QueuedConnection);
  connect(frame, &QWidget::windowTitleChanged, this, [this, frame] {
    if (frame == ActiveChild()) UpdateTitle();
  });
  // The MDI area adds or takes away its part of the caption as the window
  // is maximised or restored; the main window's part follows once it has.
  connect(frame, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::UpdateTitle, Qt::QueuedConnection);
}

// "QOR - <database window's caption>". A maximised database window shows its
// caption in the main window's itself, in brackets after the main window's
// own part, which is then the program's name alone: the caption shows once.
void CMainFrame::UpdateTitle() {
  CChildFrame* child = ActiveChild();
  const bool captionAddedByArea = child && child->isMaximized() && child->maximizedButtonsWidget();
  setWindowTitle(child && !captionAddedByArea ? "QOR - " + child->windowTitle() : QString("QOR"));
}

// A database window stays wholly inside the work area when the main window
// shrinks: its title, close button and status bar stay within reach.
void CMainFrame::KeepChildrenInside() {
  const QRect room(QPoint(0, 0), m_mdi->viewport()->size());
  if (room.isEmpty()) return;
  for (QMdiSubWindow* window : m_mdi->subWindowList()) {
    if (window->isMaximized() || window->isMinimized()) continue;
    const QRect kept = platform::qt::KeptInside(window->geometry(), room);
    if (kept != window->geometry()) window->setGeometry(kept);
  }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_mdi->viewport() && event->type() == QEvent::Resize) KeepChildrenInside();
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnChildActivated() {
  CChildFrame* child = ActiveChild();
  m_app.SetActiveFrame(child);
  UpdateTitle();
  ShowMenuSet();
  UpdateCommandStates();
}

void CMainFrame::OnCommand(int command) {
  RunCommand([&] {
    CChildFrame* child = ActiveChild();
    if (child && child->OnCommand(command)) return;
    m_app.OnCommand(command);
  });
  UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
  CChildFrame* child = ActiveChild();
  for (auto& [command, action] : m_actions) {
    std::optional<CommandState> state = child ? child->CommandStateOf(command) : std::nullopt;
    if (!state && m_app.HasCommand(command)) state = CommandState{};
    action->setEnabled(state && state->enabled);
    if (!state) continue;
    if (!state->text.empty()) {
      const CommandText* text = FindCommandText(command);
      const QString shown = QString::fromStdString(state->text);
      action->setText(text ? WithAccessKey(shown, QString::fromUtf8(text->text)) : shown);
    }
    if (action->isCheckable()) action->setChecked(state->check == CommandState::Check::Checked);
  }
  if (child) child->UpdateStatusPanes();
}

void CMainFrame::SaveWindowState() {
  platform::Profile& profile = platform::UserProfile();
  profile.WriteInt("Main window", "Expanded", isMaximized() ? 1 : 0);
  profile.WriteInt("Main window", "ToolBarPosHoriz", ToolBarStyle() & kStyleMask);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  SaveWindowState();
  for (CChildFrame* frame : Children()) {
    if (!frame->SaveModified()) {
      event->ignore();
      return;
    }
    frame->GetDocument().SetModifiedFlag(false);
  }
  m_mdi->closeAllSubWindows();
  QMainWindow::closeEvent(event);
}

bool CMainFrame::event(QEvent* event) {
  // Prompts go to the status bar of the active database frame.
  if (event->type() == QEvent::StatusTip) {
    if (CChildFrame* child = ActiveChild())
      child->StatusBar()->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}
