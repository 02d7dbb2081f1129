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

void AddOkCancelBeside(QDialog& dialog, CImageRegionCtrl& control, RegionDialogAnchors& anchors) {
  QPushButton* ok = AddDialogButton(&dialog, "OK", "ok", {472, 8, 80, 26});
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QPushButton* cancel = AddDialogButton(&dialog, "Cancel", "cancel", {472, 40, 80, 26});
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  anchors.Add(ok, ANCHOR_TOP | ANCHOR_RIGHT);
  anchors.Add(cancel, ANCHOR_TOP | ANCHOR_RIGHT);
  anchors.Add(&control, ANCHOR_TOP | ANCHOR_LEFT | ANCHOR_RIGHT | ANCHOR_BOTTOM);
}

namespace {
RegionRect RectOf(const QRect& rect) {
  return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}
QRect QRectOf(const RegionRect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}
}  // namespace

void RegionDialogAnchors::Attach(const QWidget& dialog) {
  m_layout.Attach(RectOf(dialog.rect()));
  for (std::size_t i = 0; i < m_controls.size(); ++i)
    m_layout.AddControl(static_cast<int>(i), m_controls[i].flags, RectOf(m_controls[i].control->geometry()));
  m_attached = true;
}

void RegionDialogAnchors::Relayout(const QWidget& dialog) {
  if (!m_attached) return;
  for (const AnchoredControl& placed : m_layout.Relayout(RectOf(dialog.rect())))
    m_controls[placed.id].control->setGeometry(QRectOf(placed.rect));
}

void FitDialogToControl(QDialog& dialog, CImageRegionCtrl& control) {
  const QSize shown = control.SizeFor(control.SetupScrollBars());
  const DialogFit fit = FitDialogToPicture(RectOf(dialog.geometry()), {control.width(), control.height()},
                                           {shown.width(), shown.height()});
  RegionSize screen{1600, 1000};
  if (const QScreen* primary = QGuiApplication::primaryScreen())
    screen = {primary->availableGeometry().width(), primary->availableGeometry().height()};
  RegionRect placed = PlaceOnScreen(fit.dialog, screen);
  if (!dialog.isVisible()) {
    // A dialog not shown yet has no place of its own: it opens centred.
    const int width = placed.right - placed.left, height = placed.bottom - placed.top;
    placed = {(screen.width - width) / 2, (screen.height - height) / 2, 0, 0};
    placed.right = placed.left + width;
    placed.bottom = placed.top + height;
  }
  dialog.setGeometry(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top);
}
