#include "shell/qt/DlgGalleryOptions.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "platform/Ui.h"

namespace {

QString Title(GalleryOptionsForm::Mode mode) {
  return mode == GalleryOptionsForm::Mode::ThumbnailSize ? "Thumbnail Options" : "Gallery report options";
}

}  // namespace

CDlgGalleryOptions::CDlgGalleryOptions(QWidget* parent, GalleryOptionsForm::Mode mode)
    : COptionsDialog(parent, "galleryOptionsDialog", Title(mode), "help.htm#GaleryOptionsDialog"),
      m_form(GalleryOptionsForm::From(GalleryOptions::Shared(), mode)) {
  m_size = AddNumber("sizeBox", "Picture height:", m_form.size);
  m_picturesMax = AddNumber("picturesMaxBox", "Max pictures:", m_form.picturesMax);
  m_perSpecies = AddNumber("perSpeciesBox", "Max pictures per species:", m_form.picturesPerSpeciesMax);
  m_showNames = AddCheck("showNamesBox", "show names", m_form.showNames);
  if (mode == GalleryOptionsForm::Mode::ThumbnailSize) {
    for (QLineEdit* hidden : {m_picturesMax, m_perSpecies}) {
      hidden->hide();
      findChild<QLabel*>(hidden->objectName() + "Label")->hide();
    }
    m_showNames->hide();
  }
  AddButtons();
}

bool CDlgGalleryOptions::Store() {
  m_form.size = m_size->text().toStdString();
  m_form.picturesMax = m_picturesMax->text().toStdString();
  m_form.picturesPerSpeciesMax = m_perSpecies->text().toStdString();
  m_form.showNames = m_showNames->isChecked();
  if (const auto message = m_form.Check()) {
    platform::Ui().ShowMessage(*message, {}, platform::MessageIcon::Warning);
    return false;
  }
  m_form.ApplyTo(GalleryOptions::Shared());
  return true;
}
