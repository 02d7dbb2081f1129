#include "editors/qt/DlgAttribute.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "editors/qt/PictureRowsWidget.h"

CDlgAttribute::CDlgAttribute(QWidget* parent, CZAVDoc& doc, int attribute, int parentMenu,
                             CPictureRowsWidget* pictures)
    : CCheckedEditorDialog(parent, "Attribute Editor", "help.htm#Attribute_Editor"),
      m_doc(doc), m_attribute(attribute), m_parentMenu(parentMenu) {
  setObjectName("attributeEditor");
  const AttributeEditorForm form = AttributeEditorForm::Load(doc, attribute);
  m_name = AddLine("Name:", "name", form.name);
  m_helpText = AddText("Help Text:", "helpText", form.helpText);
  m_pictures = AddPictures(pictures, form.pictures);
  AddButtons();
}

void CDlgAttribute::Store() {
  AttributeEditorForm form;
  form.name = TextOf(*m_name);
  form.helpText = TextOf(*m_helpText);
  form.pictures = m_pictures->Names();
  m_attribute = form.Store(m_doc, m_attribute, m_parentMenu);
}
