#include "editors/qt/ImageRegionEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "editors/qt/ImageRegionCtrl.h"
#include "editors/qt/RegionDialogSupport.h"
#include "platform/ErrorBox.h"

CImageRegionEditor::CImageRegionEditor(QWidget* parent) : QDialog(parent) {
  setObjectName("ImageRegionEditor");
  setWindowTitle("Image Region Editor");
  resize(560, 420);
  auto* label = new QLabel("Attribute Menu:", this);
  label->setGeometry(8, 6, 200, 18);
  auto* title = new QComboBox(this);
  title->setObjectName("menuTitle");
  title->setGeometry(8, 26, 200, 24);
  title->setEnabled(false);
  m_list = new RegionAttributeList(this);
  m_list->setGeometry(8, 56, 200, 280);
  connect(m_list, &RegionAttributeList::rowCheckChanged, this, &CImageRegionEditor::OnRowChecked);
  connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
    m_model.SelectRow(row);
    m_control->viewport()->update();
  });
  m_control = new CImageRegionCtrl(m_model.Control(), this);
  m_control->setGeometry(216, 56, 248, 346);
  QPushButton* polygon = AddDialogButton(this, "Polygon", "polygon", {8, 344, 96, 26});
  QPushButton* rectangle = AddDialogButton(this, "Rectangle", "rectangle", {112, 344, 96, 26});
  for (QPushButton* kind : {polygon, rectangle}) kind->setCheckable(true);
  polygon->setAutoExclusive(true);
  rectangle->setAutoExclusive(true);
  polygon->setChecked(true);
  // Changing the kind keeps the shape being drawn.
  connect(polygon, &QPushButton::clicked, this, [this] { m_model.Control().SetShapeKind(SHAPE_POLYGON); });
  connect(rectangle, &QPushButton::clicked, this, [this] { m_model.Control().SetShapeKind(SHAPE_RECTANGLE); });
  connect(AddDialogButton(this, "Clear Active", "clearActive", {8, 376, 200, 26}), &QPushButton::clicked, m_control,
          &CImageRegionCtrl::ClearCurrent);
  // The dialog fits its picture: OK and Cancel keep to the right edge, the picture stretches.
  AddOkCancelBeside(*this, *m_control, m_anchors);
  m_anchors.Attach(*this);
}

void CImageRegionEditor::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  m_anchors.Relayout(*this);
}

void CImageRegionEditor::OnInitDialog() {
  findChild<QComboBox*>("menuTitle")->addItem(QString::fromStdString(m_model.menuTitle));
  m_model.Init();
  m_list->clear();
  for (int row = 0; row < m_model.RowCount(); ++row)
    m_list->AddRow(m_model.attributeNames[row], m_model.RowChecked(row));
  // A picture that cannot be read keeps the dialog's size; the regions still list and save.
  if (!m_model.IsReadOnly() && m_control->LoadPicture(m_model.picturePath)) FitDialogToControl(*this, *m_control);
  if (m_model.IsReadOnly()) {
    m_list->setEnabled(false);
    setWindowTitle(m_model.RegionsRefused() ? "Image Region Editor (the region file cannot be read)"
                                            : "Image Region Editor (the menu has no picture)");
  }
  m_control->StartHoverTips();
}

void CImageRegionEditor::OnRowChecked(int row, bool checked) {
  const bool holds = m_model.SetRowChecked(row, checked);
  if (holds != checked) m_list->SetCheckedQuietly(row, holds);
  m_control->viewport()->update();
}

// A failed write shows its message and leaves the dialog open.
void CImageRegionEditor::accept() {
  if (RunCommand([this] { m_model.Ok(); })) QDialog::accept();
}
