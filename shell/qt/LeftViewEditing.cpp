// The tree's editing commands: the rules are the core's; the view runs the
// editor dialogs for them and brings the new node into sight.
#include <QScrollBar>

#include "database/ZAVDoc.h"
#include "editors/qt/DlgAttribute.h"
#include "editors/qt/DlgMenu.h"
#include "editors/qt/DlgReference.h"
#include "shell/MenuTreeEditing.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/PictureListPanel.h"
#include "platform/qt/DialogRunner.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/TreeModel.h"
#include "shell/PopupCommandIds.h"

using namespace popup_cmd;

void CLeftView::RegisterEditCommands() {
  const CMenuTreeEditing::MenuEditor menuEditor = [this](int& menu, int parent, bool attributeMenu) {
    CDlgMenu dialog(this, m_doc, menu, parent, attributeMenu, new CPictureListPanel);
    if (platform::qt::RunModal(dialog) != QDialog::Accepted) return false;
    menu = dialog.MenuIndex();
    return true;
  };
  const CMenuTreeEditing::AttributeEditor attributeEditor = [this](int& attribute, int parent) {
    CDlgAttribute dialog(this, m_doc, attribute, parent, new CPictureListPanel);
    if (platform::qt::RunModal(dialog) != QDialog::Accepted) return false;
    attribute = dialog.AttributeIndex();
    return true;
  };
  AddCommandHandler(kInsertAttribute, [this, attributeEditor] {
    ShowNewNode(CMenuTreeEditing(m_tree).InsertAttribute(SelectedNode(), attributeEditor));
  });
  for (bool attributeMenu : {false, true}) {
    AddCommandHandler(attributeMenu ? kAddAttributeMenu : kAddSubmenu, [this, menuEditor, attributeMenu] {
      ShowNewNode(CMenuTreeEditing(m_tree).InsertMenu(SelectedNode(), attributeMenu, menuEditor));
    });
  }
  AddCommandHandler(kEditMenu, [this, menuEditor] { CMenuTreeEditing(m_tree).EditMenu(SelectedNode(), menuEditor); });
  AddCommandHandler(kEditAttribute, [this, attributeEditor] {
    CMenuTreeEditing(m_tree).EditAttribute(SelectedNode(), attributeEditor);
  });
  const CMenuTreeEditing::ReferenceEditor referenceEditor = [this](int reference) {
    return EditReferenceTitle(m_doc, reference, this);
  };
  AddCommandHandler(kInsertReference, [this, referenceEditor] {
    ShowNewNode(CMenuTreeEditing(m_tree).InsertReference(SelectedNode(), referenceEditor));
  });
  AddCommandHandler(kEditReference, [this, referenceEditor] {
    CMenuTreeEditing(m_tree).EditReference(SelectedNode(), referenceEditor);
  });
  // Deleting an attribute shows the page of the list's item again, and that
  // page would hand the keys to the list; the user is still in the tree.
  AddCommandHandler(kDeleteAttribute, [this] {
    CMenuTreeEditing(m_tree).DeleteAttribute(SelectedNode());
    CZAVView::RememberFocusWindow(m_doc, this);
  });
  AddCommandHandler(kDeleteMenu, [this] {
    CMenuTreeEditing(m_tree).DeleteMenu(SelectedNode());
    CZAVView::RememberFocusWindow(m_doc, this);
  });
  AddCommandHandler(kDeleteReference, [this] { CMenuTreeEditing(m_tree).DeleteReference(SelectedNode()); });
  AddCommandHandler(kSortMenu, [this] { CMenuTreeEditing(m_tree).SortAttributeMenu(SelectedNode()); });
}

// A node the author just made is shown and selected, without its page.
void CLeftView::ShowNewNode(HTREEITEM node) {
  if (node == kNoNode) return;
  const QModelIndex index = m_model->IndexOf(node);
  for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) expand(p);
  scrollTo(index);
  horizontalScrollBar()->setValue(0);
  SelectWithoutPage(node);
}
