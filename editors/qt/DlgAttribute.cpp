#include "editors/qt/DlgAttribute.h"

#include <QFormLayout>
#include <QLineEdit>

#include "editors/AttributeEditorForm.h"
#include "editors/qt/EditorFields.h"

CDlgAttribute::CDlgAttribute(QWidget* parent, CZAVDoc& doc, int attribute, int parentMenu, CPictureRowsWidget* pictures)
    : CNodeEditorDialog("Attribute Editor", "help.htm#Attribute_Editor", parent),
      m_doc(doc),
      m_attribute(attribute),
      m_parentMenu(parentMenu) {
  setObjectName("attributeEditor");
  const AttributeEditorForm form = AttributeEditorForm::Load(doc, attribute);
  m_name = editors::qt::AddTextRow(*this, Form(), "Name:", "name", form.name);
  SetFieldWidget(AttributeEditorForm::kNameField, m_name);
  AddHelpAndPictures(form.helpText, pictures, form.pictures);
}

bool CDlgAttribute::OnOK() {
  AttributeEditorForm form;
  form.name = editors::qt::TextOf(*m_name);
  form.helpText = HelpText();
  form.pictures = PictureNames();
  m_attribute = form.Store(m_doc, m_attribute, m_parentMenu);
  return true;
}
