#include "shell/qt/PictureListPanel.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/HelpPages.h"
#include "editors/ItemForm.h"
#include "shell/qt/mylistctrl.h"
#include "platform/ErrorBox.h"

CPictureListPanel::CPictureListPanel(Wording wording, QWidget* parent) : CPictureRowsWidget(parent) {
  const bool image = wording == Wording::Image;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_list = new CMyListCtrl(this);
  m_list->setObjectName("pictureList");
  m_fileText = new QLineEdit(this);
  m_fileText->setObjectName("pictureFile");
  m_fileText->hide();
  layout->addWidget(m_list);
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  buttons->addWidget(AddButton(image ? "Add Image" : "Add", "addPicture", &CPictureListPanel::OnAddPicture));
  buttons->addWidget(
      AddButton(image ? "Remove Image" : "Remove", "removePicture", &CPictureListPanel::OnRemovePicture));
  QPushButton* removeAll = AddButton("Remove All", "removeAllPictures", &CPictureListPanel::OnRemoveAllPictures);
  QPushButton* choose = AddButton("...", "choosePicture", &CPictureListPanel::OnChoosePicture);
  buttons->addWidget(removeAll);
  buttons->addWidget(choose);
  removeAll->hide();
  choose->hide();
  buttons->addStretch();
}

QPushButton* CPictureListPanel::AddButton(const char* text, const char* name, void (CPictureListPanel::*handler)()) {
  auto* button = new QPushButton(QString::fromUtf8(text), this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this,
          [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
  return button;
}

void CPictureListPanel::SetNames(const std::vector<std::string>& names) {
  // The chooser starts at the record's own pictures.
  m_fileText->setText(QString::fromStdString(editors::PictureTextOf(names)));
  m_list->DeleteItems(m_list->GetCount());
  for (const std::string& name : names) m_list->AddItem(m_list->GetCount(), name, 1);
}

std::vector<std::string> CPictureListPanel::Names() const { return m_list->Texts(); }

std::string CPictureListPanel::Choose() {
  const std::string name = ChooseImageFile(m_fileText->text().toStdString());
  if (!name.empty()) m_fileText->setText(QString::fromStdString(name));
  return name;
}

void CPictureListPanel::OnAddPicture() {
  const std::string name = Choose();
  if (!name.empty()) m_list->AddItem(m_list->GetCount(), name, 1);
}

void CPictureListPanel::OnChoosePicture() { Choose(); }

void CPictureListPanel::OnRemovePicture() {
  const int row = m_list->GetCurSel();
  if (row >= 0) m_list->DeleteString(row);
}

void CPictureListPanel::OnRemoveAllPictures() { m_list->DeleteItems(m_list->GetCount()); }
