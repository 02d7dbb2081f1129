#include "editors/qt/RegionDialogSupport.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "editors/RegionDialogFit.h"
#include "editors/qt/ImageRegionCtrl.h"

RegionAttributeList::RegionAttributeList(QWidget* parent) : QListWidget(parent) {
  setObjectName("attributeList");
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!m_quiet) emit rowCheckChanged(row(item), item->checkState() == Qt::Checked);
  });
}

void RegionAttributeList::AddRow(const std::string& name, bool checked) {
  m_quiet = true;
  auto* entry = new QListWidgetItem(QString::fromStdString(name), this);
  entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  entry->setToolTip(entry->text());
  m_quiet = false;
}

bool RegionAttributeList::IsChecked(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry && entry->checkState() == Qt::Checked;
}

void RegionAttributeList::SetCheckedQuietly(int row, bool checked) {
  QListWidgetItem* entry = item(row);
  if (!entry) return;
  m_quiet = true;
  entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  m_quiet = false;
}

QPushButton* AddDialogButton(QWidget* parent, const char* text, const char* name, const QRect& where) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setGeometry(where);
  return button;
}

namespace {
RegionRect RectOf(const QRect& rect) { return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()}; }
}  // namespace

void FitDialogToControl(QDialog& dialog, CImageRegionCtrl& control, bool sizeControl) {
  const QSize shown = control.SizeFor(control.SetupScrollBars());
  const DialogFit fit = FitDialogToPicture(RectOf(dialog.geometry()), {control.width(), control.height()},
                                           {shown.width(), shown.height()});
  RegionSize screen{1600, 1000};
  if (const QScreen* primary = QGuiApplication::primaryScreen())
    screen = {primary->availableGeometry().width(), primary->availableGeometry().height()};
  const RegionRect placed = PlaceOnScreen(fit.dialog, screen);
  if (sizeControl) control.resize(fit.control.width, fit.control.height);
  dialog.setGeometry(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top);
}
