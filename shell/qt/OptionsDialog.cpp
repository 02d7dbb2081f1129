#include "shell/qt/OptionsDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "database/HelpPages.h"
#include "platform/qt/DialogButtons.h"

COptionsDialog::COptionsDialog(QWidget* parent, const QString& objectName, const QString& title, const char* helpTopic)
    : QDialog(parent), m_body(new QVBoxLayout(this)), m_helpTopic(helpTopic) {
  setObjectName(objectName);
  setWindowTitle(title);
}

void COptionsDialog::accept() {
  if (Store()) QDialog::accept();
}

QCheckBox* COptionsDialog::AddCheck(const QString& objectName, const QString& text, bool checked) {
  auto* box = new QCheckBox(text, this);
  box->setObjectName(objectName);
  box->setChecked(checked);
  m_body->addWidget(box);
  return box;
}

COptionsDialog::PageBoxes COptionsDialog::AddPageBoxes(bool picture, bool description, bool file) {
  return {AddCheck("pictureBox", "Picture", picture), AddCheck("descriptionBox", "Description", description),
          AddCheck("fileBox", "Picture file", file)};
}

QCheckBox* COptionsDialog::AddThumbnailMode(bool checked, bool thumbnailsFolderPresent) {
  QCheckBox* box = AddCheck("thumbnailBox", "Thumbnail mode", checked && thumbnailsFolderPresent);
  box->setEnabled(thumbnailsFolderPresent);
  box->hide();
  return box;
}

QCheckBox* COptionsDialog::AddDontShow(bool checked) {
  QCheckBox* box = AddCheck("dontShowBox", "Don't show this dialog before every report", checked);
  box->hide();
  return box;
}

QLineEdit* COptionsDialog::AddNumber(const QString& objectName, const QString& label, const std::string& value) {
  auto* row = new QHBoxLayout;
  auto* caption = new QLabel(label, this);
  caption->setObjectName(objectName + "Label");
  auto* edit = new QLineEdit(QString::fromStdString(value), this);
  edit->setObjectName(objectName);
  caption->setBuddy(edit);
  row->addWidget(caption);
  row->addWidget(edit);
  m_body->addLayout(row);
  return edit;
}

void COptionsDialog::AddButtons() { platform::qt::AddOkCancel(*this, *m_body); }

void COptionsDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    ShowHelp(m_helpTopic, true);
    return;
  }
  QDialog::keyPressEvent(event);
}

CAttributeDataGroup::CAttributeDataGroup(QWidget* parent, AttributeData value) : QGroupBox("Attribute Data", parent) {
  setObjectName("attributeData");
  auto* layout = new QVBoxLayout(this);
  const std::array<std::pair<const char*, const char*>, 4> choices = {
      {{"dataNone", "None"}, {"dataPresentOnly", "Present Only"}, {"dataAllMenus", "All Menus"}, {"dataAll", "All"}}};
  for (std::size_t i = 0; i < choices.size(); ++i) {
    m_buttons[i] = new QRadioButton(choices[i].second, this);
    m_buttons[i]->setObjectName(choices[i].first);
    layout->addWidget(m_buttons[i]);
  }
  m_buttons[static_cast<std::size_t>(value)]->setChecked(true);
}

AttributeData CAttributeDataGroup::Value() const {
  for (std::size_t i = 0; i < m_buttons.size(); ++i)
    if (m_buttons[i]->isChecked()) return static_cast<AttributeData>(i);
  return AttributeData::None;
}
