#include "shell/qt/TreeClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <algorithm>
#include <memory>

#include "database/CommandIds.h"
#include "database/ZAVDoc.h"
#include "editors/ClipboardMenu.h"
#include "platform/Ui.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/TreeModel.h"

CTreeClipboard::CTreeClipboard(CLeftView& view) : QObject(&view), m_view(view) {
  view.AddCommandHandler(
      cmd::kEditCopy, [this] { Copy(); }, [this] { return CanCopy(); });
  view.AddCommandHandler(
      cmd::kEditCut, [this] { Cut(); }, [this] { return CanCut(); });
  view.AddCommandHandler(
      cmd::kEditPaste, [this] { Paste(); }, [this] { return CanPaste(); });
  view.installEventFilter(this);
}

// The item view's own Ctrl+C would put a node's label on the clipboard when
// Copy is greyed (on an attribute), over the menu copied before: the key
// belongs to the Copy command alone.
bool CTreeClipboard::eventFilter(QObject* watched, QEvent* event) {
  return watched == &m_view && event->type() == QEvent::KeyPress &&
         static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
}

int CTreeClipboard::SelectedMenu(std::initializer_list<int> kinds) const {
  const HTREEITEM node = m_view.SelectedNode();
  const int kind = m_view.GetNodeKind(node);
  if (!m_view.Tree().Nodes().IsValid(node) || std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) return -1;
  return static_cast<int>(m_view.Tree().Nodes().Data(node));
}

bool CTreeClipboard::CanCopy() const {
  const int menu = SelectedMenu({KIND_MENU_ROOT, KIND_MENU, KIND_ATTRIBUTE_MENU});
  return menu >= 0 && CClipboardMenu::CanCopy(m_view.GetDocument(), menu);
}

bool CTreeClipboard::CanCut() const {
  const int menu = SelectedMenu({KIND_MENU, KIND_ATTRIBUTE_MENU});
  return menu >= 0 && CClipboardMenu::CanCut(m_view.GetDocument(), menu);
}

bool CTreeClipboard::CanPaste() const {
  const int menu = SelectedMenu({KIND_MENU_ROOT, KIND_MENU});
  const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
  return menu >= 0 && offered && offered->hasFormat(kMimeType) &&
         CClipboardMenu::CanPasteInto(m_view.GetDocument(), menu);
}

void CTreeClipboard::PutOnClipboard(const std::vector<std::uint8_t>& bytes) const {
  auto data = std::make_unique<QMimeData>();
  data->setData(kMimeType,
                QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  QGuiApplication::clipboard()->setMimeData(data.release());
}

void CTreeClipboard::Copy() {
  if (!CanCopy()) return;
  const int menu = SelectedMenu({KIND_MENU_ROOT, KIND_MENU, KIND_ATTRIBUTE_MENU});
  PutOnClipboard(CClipboardMenu::Copy(m_view.GetDocument(), menu));
}

// The branch is freed only once the clipboard holds it, so a failed copy
// loses nothing. The clipboard carries no item data: a branch whose
// attributes some item has is cut only after the user agreed to lose it,
// as Delete asks before it loses anything.
void CTreeClipboard::Cut() {
  if (!CanCut()) return;
  const HTREEITEM node = m_view.SelectedNode();
  const int menu = static_cast<int>(m_view.Tree().Nodes().Data(node));
  CZAVDoc& doc = m_view.GetDocument();
  if (BranchHasItemData(doc, menu) && !platform::Ui().AskYesNo(CutLosesItemDataQuestion(), false)) return;
  const std::vector<std::uint8_t> bytes = CClipboardMenu::Cut(doc, menu);
  PutOnClipboard(bytes);
  const QMimeData* held = QGuiApplication::clipboard()->mimeData();
  if (!held || held->data(kMimeType).size() != static_cast<qsizetype>(bytes.size())) return;
  CClipboardMenu::FinishCut(doc, menu);
  const HTREEITEM parent = m_view.Tree().Nodes().Parent(node);
  m_view.Tree().Nodes().Delete(node);
  ShowChange(parent);
  // The cut menu's page would stay in the pane; the selected node's takes its place.
  m_view.ShowNodeReport(parent);
}

void CTreeClipboard::Paste() {
  if (!CanPaste()) return;
  const HTREEITEM parent = m_view.SelectedNode();
  const QByteArray bytes = QGuiApplication::clipboard()->mimeData()->data(kMimeType);
  CZAVDoc& doc = m_view.GetDocument();
  const PastedBranch pasted = CClipboardMenu::Paste(doc, static_cast<int>(m_view.Tree().Nodes().Data(parent)),
                                                    reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                    static_cast<std::size_t>(bytes.size()));
  const int image = doc.GetMenu(pasted.top).kind == MENU_OF_MENUS ? IMAGE_MENU : IMAGE_ATTRIBUTE_MENU;
  CMenuTree& tree = m_view.Tree();
  const HTREEITEM top = tree.InsertNode(parent, nullptr, static_cast<std::uint32_t>(pasted.top), kInsertLast, image);
  tree.BuildMenuSubtree(top, pasted.top);
  ShowChange(top);
  // The pasted branch is the selected node: its page takes the pane.
  m_view.ShowNodeReport(top);
}

// Paste resets the marks and cut may clear some: every label, image and
// the item list follow.
void CTreeClipboard::ShowChange(HTREEITEM select) {
  m_view.RefreshTree();
  m_view.RefreshItemList();
  m_view.SelectNode(select);
  m_view.scrollTo(m_view.Model().IndexOf(select));
}
