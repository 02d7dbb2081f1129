#include "shell/qt/DlgItemOptions.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "shell/qt/mylistctrl.h"

namespace {

QString Title(const CZAVDoc& document) {
  const std::string label =
      document.m_header.scientificNamesEnabled ? document.GetSpeciesLabel() : document.GetCommonLabel();
  return QString::fromStdString(label) + " description options";
}

}  // namespace

CDlgItemOptions::CDlgItemOptions(QWidget* parent, CZAVDoc& document)
    : COptionsDialog(parent, "itemOptionsDialog", Title(document), "help.htm#ItemOptionsDialog"),
      m_form(ItemOptionsForm::From(ItemOptions::Shared())) {
  m_page = AddPageBoxes(m_form.picture, m_form.description, m_form.file);
  m_references = AddCheck("referencesBox", "References", m_form.references);
  m_allReferences = AddCheck("allReferencesBox", "all", m_form.allReferences);
  m_externalLinks = AddCheck("externalLinksBox", "External Links", m_form.externalLinks);
  m_thumbnail = AddThumbnailMode(m_form.thumbnail, document.m_thumbnailFolder[0] != 0);
  m_dontShow = AddDontShow(m_form.dontShow);
  m_data = new CAttributeDataGroup(this, m_form.data);
  Body()->addWidget(m_data);
  m_pictures = new CMyListCtrl(this);
  m_pictures->setObjectName("pictureList");
  m_pictures->hide();
  FillPictureList(document);
  AddButtons();
  m_allReferences->setEnabled(m_form.AllReferencesEnabled());
  connect(m_references, &QCheckBox::toggled, this, &CDlgItemOptions::FollowReferences);
  connect(m_allReferences, &QCheckBox::toggled, this, &CDlgItemOptions::FollowAllReferences);
}

void CDlgItemOptions::FillPictureList(CZAVDoc& document) {
  IItemListView* list = document.GetItemListView();
  const int item = list ? list->GetSelectedItemOrNone() : -1;
  if (item < 0 || item >= document.ItemCount()) return;
  m_pictures->SetItemList(document.GetItem(item).pictures);
  for (const ItemImageString& row : m_pictures->Rows()) m_pictures->AddItem(row.number, row.text, row.flag);
}

void CDlgItemOptions::FollowReferences() {
  m_form.references = m_references->isChecked();
  m_allReferences->setEnabled(m_form.AllReferencesEnabled());
}

void CDlgItemOptions::FollowAllReferences() {
  // Every reference listed means the references are shown at all.
  m_form.allReferences = m_allReferences->isChecked();
  if (m_form.allReferences) m_references->setChecked(true);
}

bool CDlgItemOptions::Store() {
  m_form.picture = m_page.picture->isChecked();
  m_form.description = m_page.description->isChecked();
  m_form.file = m_page.file->isChecked();
  m_form.references = m_references->isChecked();
  m_form.allReferences = m_allReferences->isChecked();
  m_form.externalLinks = m_externalLinks->isChecked();
  m_form.thumbnail = m_thumbnail->isChecked();
  m_form.dontShow = m_dontShow->isChecked();
  m_form.data = m_data->Value();
  m_form.ApplyTo(ItemOptions::Shared());
  return true;
}
