#include "shell/qt/ChildFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <functional>

#include "database/CommandIds.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/Profile.h"
#include "platform/Ui.h"
#include "reports/qt/ZAVView.h"
#include "platform/qt/DialogRunner.h"
#include "shell/FrameCaption.h"
#include "shell/qt/CommandTarget.h"
#include "shell/qt/ItemEditCommands.h"
#include "shell/qt/DialogCommands.h"
#include "shell/qt/DlgExport.h"
#include "shell/qt/ItemListBox.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/RegionCommands.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/LockKeyPanes.h"

namespace {

bool g_firstChildActivation = true;

constexpr int kLeftColumn = 365;
// In a narrow frame (tiled, or a small main window) the left column takes no
// more than this share, in percent, so the page keeps room for its text and
// its navigation bar.
constexpr int kLeftShareOfNarrowFrame = 40;
constexpr int kMinimumPane = 10;

// A splitter that tells its frame after every resize, so the frame's rule
// lays out the panes of the new size.
class FrameSplitter : public QSplitter {
 public:
  FrameSplitter(Qt::Orientation orientation, QWidget* parent, std::function<void()> resized)
      : QSplitter(orientation, parent), m_resized(std::move(resized)) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QSplitter::resizeEvent(event);
    if (m_resized) m_resized();
  }

 private:
  std::function<void()> m_resized;
};

void AddPane(QSplitter* splitter, QWidget* pane) {
  pane->setMinimumSize(kMinimumPane, kMinimumPane);
  splitter->addWidget(pane);
}

}  // namespace

void CChildFrame::ResetFirstActivation() { g_firstChildActivation = true; }

CChildFrame::CChildFrame(std::unique_ptr<CZAVDoc> document, QWidget* parent)
    : QMdiSubWindow(parent), m_document(std::move(document)) {
  setObjectName("childFrame");
  setAttribute(Qt::WA_DeleteOnClose);
  UpdateCaption();
  m_document->m_modifiedHook = [this] { UpdateCaption(); };
  // The window menu's Close would claim the keys of File Close, and a key
  // with two actions runs neither.
  if (QMenu* windowMenu = systemMenu())
    for (QAction* action : windowMenu->actions()) action->setShortcuts({});
  CreateClient();
}

CChildFrame::~CChildFrame() {
  platform::UserProfile().WriteInt("Child window", "Expanded", isMaximized() ? 1 : 0);
  m_document->m_modifiedHook = nullptr;
  if (GetActiveDocument() == m_document.get()) ClearActiveFrame();
  m_document->AttachViews(nullptr, nullptr, nullptr);
  // The views hold the document: they go first.
  delete m_client;
  m_client = nullptr;
}

void CChildFrame::CreateClient() {
  m_client = new QWidget;
  auto* layout = new QVBoxLayout(m_client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_outer = new FrameSplitter(Qt::Horizontal, m_client, [this] { ApplySplitterRule(); });
  m_outer->setObjectName("outerSplitter");
  m_outer->setChildrenCollapsible(false);
  m_nested = new QSplitter(Qt::Vertical);
  m_nested->setObjectName("nestedSplitter");
  m_nested->setChildrenCollapsible(false);
  AddPane(m_outer, m_nested);
  m_tree = new CLeftView(*m_document);
  m_tree->setObjectName("leftView");
  InstallRegionCommands(*m_tree);
  AddPane(m_nested, m_tree);
  m_list = new CItemListView(*m_document);
  m_list->setObjectName("itemListView");
  AddPane(m_nested, m_list);
  m_view = new CZAVView(*m_document);
  m_view->setObjectName("htmlView");
  AddPane(m_outer, m_view);
  m_document->AttachViews(m_view, m_tree, m_list);
  InstallItemEditCommands(*m_list, *m_tree);
  InstallPaneKeys();
  layout->addWidget(m_outer, 1);
  CreateStatusBar(m_client);
  setWidget(m_client);
  resize(900, 600);
  m_splittersReady = true;
  ApplySplitterRule();
  UpdateStatusPanes();
}

// F6 and Shift+F6 move the keyboard between the tree, the list and the page,
// as in windows split into panes.
void CChildFrame::InstallPaneKeys() {
  for (const bool forward : {true, false}) {
    auto* key = new QShortcut(QKeySequence(forward ? Qt::Key_F6 : (Qt::SHIFT | Qt::Key_F6)), m_client);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(key, &QShortcut::activated, this, [this, forward] { FocusNextPane(forward); });
  }
}

void CChildFrame::FocusNextPane(bool forward) {
  QWidget* panes[] = {m_tree, &m_list->ListBox(), m_view};
  constexpr int count = 3;
  QWidget* focus = QApplication::focusWidget();
  int current = -1;
  for (int i = 0; i < count; ++i)
    if (focus && (panes[i] == focus || panes[i]->isAncestorOf(focus))) current = i;
  const int next = current < 0 ? 0 : (current + (forward ? 1 : count - 1)) % count;
  panes[next]->setFocus(Qt::ShortcutFocusReason);
}

void CChildFrame::CreateStatusBar(QWidget* client) {
  m_statusBar = new QStatusBar(client);
  m_statusBar->setObjectName("statusBar");
  m_forgivenessPane = new QLabel("Forgiveness level: 0", m_statusBar);
  m_forgivenessPane->setObjectName("forgivenessPane");
  m_lockPane = new QLabel("UNLOCKED", m_statusBar);
  m_lockPane->setObjectName("lockPane");
  m_statusBar->addPermanentWidget(m_forgivenessPane);
  m_statusBar->addPermanentWidget(m_lockPane);
  new CLockKeyPanes(*m_statusBar);
  client->layout()->addWidget(m_statusBar);
}

void CChildFrame::ApplySplitterRule() {
  if (!m_splittersReady) return;
  // The handle between two panes takes its width from the second pane, so the
  // first gets exactly what the rule gives it.
  const int width = m_outer->width() - m_outer->handleWidth();
  const int height = m_nested->height();
  const int tree = std::max(kMinimumPane, 2 * height / 3);
  const int left = std::max(kMinimumPane, std::min(kLeftColumn, width * kLeftShareOfNarrowFrame / 100));
  m_outer->setSizes({left, std::max(kMinimumPane, width - left)});
  m_nested->setSizes({tree, std::max(kMinimumPane, std::min(height / 3, height - m_nested->handleWidth() - tree))});
}

void CChildFrame::ActivateFrame() {
  const bool maximise = g_firstChildActivation && platform::UserProfile().GetInt("Child window", "Expanded", 0) != 0;
  g_firstChildActivation = false;
  if (maximise)
    showMaximized();
  else
    show();
}

void CChildFrame::InitialUpdate() {
  // The page of the tree's root node; the database page while the tree has none.
  const auto roots = m_tree->ChildNodes(0);
  if (!roots.empty())
    m_tree->ShowNodeReport(roots.front().first);
  else if (const std::string page = m_document->GetOpeningPagePath(); !page.empty())
    m_view->NavigateTo(page);
  UpdateStatusPanes();
}

void CChildFrame::UpdateCaption() { setWindowTitle(QString::fromStdString(FrameCaption(*m_document))); }

void CChildFrame::UpdateStatusPanes() {
  if (auto state = DocumentCommandState(*m_document, cmd::kForgivenessPane))
    m_forgivenessPane->setText(QString::fromStdString(state->text));
  if (auto state = DocumentCommandState(*m_document, cmd::kLockPane))
    m_lockPane->setText(QString::fromStdString(state->text));
}

template <class Handle>
bool CChildFrame::OfferToPanes(Handle&& handle) {
  QWidget* panes[] = {m_tree, m_list, m_view};
  QWidget* focus = QApplication::focusWidget();
  for (QWidget* pane : panes)
    if (focus && pane->isAncestorOf(focus))
      if (auto* target = dynamic_cast<CCommandTarget*>(pane); target && handle(*target)) return true;
  for (QWidget* pane : panes)
    if (auto* target = dynamic_cast<CCommandTarget*>(pane); target && handle(*target)) return true;
  return false;
}

bool CChildFrame::OnCommand(int command) {
  if (OfferToPanes([command](CCommandTarget& target) { return target.OnCommand(command); })) return true;
  switch (command) {
    case cmd::kFileSave:
      Save(false);
      return true;
    case cmd::kFileSaveAs:
      Save(true);
      return true;
    case cmd::kFileClose:
      close();
      return true;
    case cmd::kFilePrint:
      m_view->Print();
      return true;
    case cmd::kFilePageSetup:
      m_view->PageSetup();
      return true;
    case cmd::kExport:
      OnExport();
      return true;
    default:
      break;
  }
  if (RunDialogCommand(*m_document, this, command)) return true;
  return RunDocumentCommand(*m_document, command);
}

std::optional<CommandState> CChildFrame::CommandStateOf(int command) {
  std::optional<CommandState> state;
  if (OfferToPanes([&](CCommandTarget& target) { return (state = target.CommandStateOf(command)).has_value(); }))
    return state;
  switch (command) {
    case cmd::kFileSave:
    case cmd::kFileSaveAs:
    case cmd::kFileClose:
    case cmd::kFilePrint:
    case cmd::kFilePageSetup:
      return CommandState{};
    case cmd::kExport:
      return CommandState{IsDatabaseEditable(m_document.get()), CommandState::Check::None, {}};
    default:
      break;
  }
  if (auto dialogState = DialogCommandState(*m_document, command)) return dialogState;
  return DocumentCommandState(*m_document, command);
}

void CChildFrame::OnExport() {
  CMenuTree& tree = m_tree->Tree();
  const HTREEITEM selected = m_tree->SelectedNode();
  const HTREEITEM parent = tree.Nodes().Parent(selected);
  auto indexOf = [&](HTREEITEM node) {
    return tree.Nodes().IsValid(node) ? static_cast<int>(tree.Nodes().Data(node)) : -1;
  };
  const ExportSelection selection = ExportSelection::FromTreeNodes(tree.GetNodeKind(selected), indexOf(selected),
                                                                   tree.GetNodeKind(parent), indexOf(parent));
  CDlgExport dialog(*m_document, selection, window());
  dialog.OnInitDialog();
  platform::qt::RunModal(dialog);
}

bool CChildFrame::Save(bool askForName) {
  CZAVDoc& doc = *m_document;
  const bool saved = askForName ? doc.SaveAsNew({}, true) : doc.Save();
  if (saved) doc.SetModifiedFlag(false);
  UpdateCaption();  // a new name shows even when the flag was clear already
  return saved;
}

bool CChildFrame::SaveModified() {
  if (!m_document->IsModified()) return true;
  const std::string name = m_document->m_pathName.empty() ? m_document->GetTitle() : m_document->m_pathName;
  switch (platform::Ui().AskYesNoCancel("Save changes to " + name + "?")) {
    case 1:
      return Save(false);
    case 0:
      return true;
    default:
      return false;
  }
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (!SaveModified()) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}
