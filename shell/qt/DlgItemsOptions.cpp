#include "shell/qt/DlgItemsOptions.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"

namespace {

QString Title(const CZAVDoc& document) {
  const std::string label = document.m_header.scientificNamesEnabled ? document.GetSpeciesLabel() : "Items";
  return QString::fromStdString(label) + " list options";
}

}  // namespace

CDlgItemsOptions::CDlgItemsOptions(QWidget* parent, CZAVDoc& document)
    : COptionsDialog(parent, "itemsOptionsDialog", Title(document), "help.htm#ItemsOptionsDialog"),
      m_document(document),
      m_form(ItemListOptionsForm::From(document, ItemListOptions::Shared())),
      m_orderTypeBefore(GetOrderType(document)) {
  m_page = AddPageBoxes(m_form.picture, m_form.description, m_form.file);
  m_references = AddCheck("referencesBox", "References", m_form.references);
  m_externalLinks = AddCheck("externalLinksBox", "External Links", m_form.externalLinks);
  m_thumbnail = AddThumbnailMode(m_form.thumbnail, document.m_thumbnailFolder[0] != 0);
  m_dontShow = AddDontShow(m_form.dontShow);
  auto* order = new QGroupBox("Alphabetize Names By:", this);
  auto* orderLayout = new QVBoxLayout(order);
  auto* scientific = new QRadioButton("Scientific name (multi level)", order);
  scientific->setObjectName("scientificOrder");
  m_commonOrder = new QRadioButton("Common name (single level)", order);
  m_commonOrder->setObjectName("commonOrder");
  orderLayout->addWidget(scientific);
  orderLayout->addWidget(m_commonOrder);
  (m_form.itemOrder == 1 ? m_commonOrder : scientific)->setChecked(true);
  Body()->addWidget(order);
  m_data = new CAttributeDataGroup(this, m_form.data);
  Body()->addWidget(m_data);
  AddButtons();
}

bool CDlgItemsOptions::Store() {
  m_form.picture = m_page.picture->isChecked();
  m_form.description = m_page.description->isChecked();
  m_form.file = m_page.file->isChecked();
  m_form.references = m_references->isChecked();
  m_form.externalLinks = m_externalLinks->isChecked();
  m_form.dontShow = m_dontShow->isChecked();
  m_form.itemOrder = m_commonOrder->isChecked() ? 1 : 0;
  m_form.data = m_data->Value();
  m_form.Apply(m_document, ItemListOptions::Shared(), m_orderTypeBefore);
  return true;
}
