#include "editors/qt/NodeEditorDialog.h"

#include <QFormLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "editors/LineEnds.h"
#include "editors/qt/EditorFields.h"
#include "editors/qt/PictureRowsWidget.h"

CNodeEditorDialog::CNodeEditorDialog(const char* caption, std::string helpTopic, QWidget* parent)
    : EditorDialogBase(QString::fromUtf8(caption), std::move(helpTopic), parent), m_form(new QFormLayout) {
  FormArea()->addLayout(m_form);
}

void CNodeEditorDialog::AddHelpAndPictures(const std::string& helpText, CPictureRowsWidget* pictures,
                                           const std::vector<std::string>& names) {
  m_storedHelpText = helpText;
  m_helpText = editors::qt::MakeTextArea(this, "helpText", helpText);
  m_form->addRow("Help Text:", m_helpText);
  m_pictures = pictures;
  m_pictures->setParent(this);
  m_pictures->SetNames(names);
  m_form->addRow("Pictures:", m_pictures);
}

std::string CNodeEditorDialog::HelpText() const {
  return KeepLineEnds(editors::qt::TextOf(*m_helpText), m_storedHelpText);
}

std::vector<std::string> CNodeEditorDialog::PictureNames() const { return m_pictures->Names(); }
