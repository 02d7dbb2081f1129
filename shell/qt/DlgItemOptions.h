// The item description options: what the item page shows.
#pragma once

#include "shell/qt/OptionsDialog.h"

class CZAVDoc;
class CMyListCtrl;

class CDlgItemOptions : public COptionsDialog {
  Q_OBJECT
 public:
  CDlgItemOptions(QWidget* parent, CZAVDoc& document);

 protected:
  bool Store() override;

 private:
  void FollowReferences();
  void FollowAllReferences();
  void FillPictureList(CZAVDoc& document);

  ItemOptionsForm m_form;
  PageBoxes m_page{};
  QCheckBox* m_references;
  QCheckBox* m_allReferences;
  QCheckBox* m_externalLinks;
  QCheckBox* m_thumbnail;
  QCheckBox* m_dontShow;
  CAttributeDataGroup* m_data;
  CMyListCtrl* m_pictures;
};
