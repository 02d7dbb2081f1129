// The item list report options, on the document's copy of the list options;
// OK sorts the document's names again.
#pragma once

#include "shell/qt/OptionsDialog.h"

class CZAVDoc;

class CDlgItemsOptions : public COptionsDialog {
  Q_OBJECT
 public:
  CDlgItemsOptions(QWidget* parent, CZAVDoc& document);

 protected:
  bool Store() override;

 private:
  CZAVDoc& m_document;
  ItemListOptionsForm m_form;
  int m_orderTypeBefore;
  PageBoxes m_page{};
  QCheckBox* m_references;
  QCheckBox* m_externalLinks;
  QCheckBox* m_thumbnail;
  QCheckBox* m_dontShow;
  QRadioButton* m_commonOrder;
  CAttributeDataGroup* m_data;
};
