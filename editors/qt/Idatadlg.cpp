#include "editors/qt/Idatadlg.h"

#include <QPushButton>

#include "editors/ItemAttributeEditor.h"
#include "editors/qt/AttributeFormView.h"
#include "platform/Ui.h"
#include "platform/qt/DialogRunner.h"

CIdatadlg::CIdatadlg(std::unique_ptr<ItemAttributeEditor> editor, QWidget* parent)
    : CSteppingItemDialog(*editor, "help.htm#ItemDateEditDialog", parent), m_editor(std::move(editor)) {
  setObjectName("itemAttributeEditor");
  m_form = new CAttributeFormView(*m_editor, this);
  SetForm(m_form);
  AddMenuCommand("&Mark All", "markAllCommand", [this] { MarkAll(true); });
  AddMenuCommand("&Clear All", "clearAllCommand", [this] { MarkAll(false); });
  resize(520, 640);
  m_form->setFocus(Qt::OtherFocusReason);
  if (!m_form->Layout().checks.empty()) m_form->FocusCheck(0);
}

CIdatadlg::~CIdatadlg() = default;

void CIdatadlg::MarkAll(bool set) {
  // The dialog's own focus child, so a command from the menu bar sees
  // where the focus was before the menu took it.
  QWidget* focus = focusWidget();
  if (!focus) return;
  if (focus == OkButton() || focus == CancelButton()) {
    platform::Ui().ShowMessage("For Mark/Clear All to work, the focus must not be on the OK or Cancel buttons");
    return;
  }
  const int attribute = m_form->FocusedAttribute();
  if (attribute < 0) return;
  if (m_editor->MarkAll(attribute, set)) m_form->viewport()->update();
}

// After Next or Previous the box that Mark All and Clear All act on keeps
// the focus and stays in sight, so the user sees what they would change.
void CIdatadlg::ReloadForm() {
  m_form->setFocus(Qt::OtherFocusReason);
  m_form->FocusCheck(m_form->FocusedCheck());
  m_form->viewport()->update();
}

bool RunItemAttributeEditor(CZAVDoc& doc, int item, int listRow, QWidget* parent) {
  CIdatadlg dialog(std::make_unique<ItemAttributeEditor>(doc, item, listRow), parent);
  return platform::qt::RunModal(dialog) == QDialog::Accepted;
}
