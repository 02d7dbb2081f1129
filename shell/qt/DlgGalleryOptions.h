// The gallery options, or in thumbnail mode the size of the thumbnails in
// the reports' picture blocks.
#pragma once

#include "shell/qt/OptionsDialog.h"

class CDlgGalleryOptions : public COptionsDialog {
  Q_OBJECT
 public:
  CDlgGalleryOptions(QWidget* parent, GalleryOptionsForm::Mode mode);

 protected:
  bool Store() override;

 private:
  GalleryOptionsForm m_form;
  QLineEdit* m_size;
  QLineEdit* m_picturesMax;
  QLineEdit* m_perSpecies;
  QCheckBox* m_showNames;
};
