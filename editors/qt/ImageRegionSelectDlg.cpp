#include "editors/qt/ImageRegionSelectDlg.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "editors/qt/ImageRegionCtrl.h"
#include "editors/qt/RegionDialogSupport.h"
#include "platform/qt/CaptionFit.h"
#include "platform/qt/DialogRunner.h"

CImageRegionSelectDlg::CImageRegionSelectDlg(IRegionSelectOwner* owner, QWidget* parent)
    : QDialog(parent), m_model(owner) {
  setObjectName("ImageRegionSelectDlg");
  setWindowTitle("Select Image Region");
  resize(560, 420);
  auto* label = new QLabel("Attribute Menu:", this);
  label->setGeometry(8, 6, 200, 18);
  m_menus = new QComboBox(this);
  m_menus->setObjectName("menuCombo");
  m_menus->setGeometry(8, 26, 200, 24);
  connect(m_menus, &QComboBox::activated, this, &CImageRegionSelectDlg::OnMenuChosen);
  connect(AddDialogButton(this, "<<", "previousMenu", {212, 26, 32, 24}), &QPushButton::clicked, this,
          [this] { StepMenu(false); });
  connect(AddDialogButton(this, ">>", "nextMenu", {248, 26, 32, 24}), &QPushButton::clicked, this,
          [this] { StepMenu(true); });
  m_list = new RegionAttributeList(this);
  m_list->setGeometry(8, 56, 200, 280);
  m_list->installEventFilter(this);
  connect(m_list, &RegionAttributeList::rowCheckChanged, this, &CImageRegionSelectDlg::OnRowChecked);
  connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!m_filling) m_model.FocusRow(row);
  });
  connect(AddDialogButton(this, "&Next", "nextItem", {8, 344, 96, 26}), &QPushButton::clicked, this,
          [this] { OnStepItem(true); });
  connect(AddDialogButton(this, "&Prev", "previousItem", {112, 344, 96, 26}), &QPushButton::clicked, this,
          [this] { OnStepItem(false); });
  connect(AddDialogButton(this, "Mark &All", "markAll", {8, 376, 96, 26}), &QPushButton::clicked, this,
          [this] { OnMarkAll(true); });
  connect(AddDialogButton(this, "&Clear All", "clearAll", {112, 376, 96, 26}), &QPushButton::clicked, this,
          [this] { OnMarkAll(false); });
  m_control = new CImageRegionCtrl(m_model.Control(), this);
  m_control->setGeometry(216, 56, 248, 346);
  connect(m_control, &CImageRegionCtrl::clicked, this, &CImageRegionSelectDlg::OnPictureClicked);
  // OK and Cancel stay at the top right, the picture stretches both ways, the
  // list downwards, and the item buttons below it go down with it.
  AddOkCancelBeside(*this, *m_control, m_anchors);
  m_anchors.Add(m_list, ANCHOR_TOP | ANCHOR_LEFT | ANCHOR_BOTTOM);
  for (const char* name : {"nextItem", "previousItem", "markAll", "clearAll"})
    m_anchors.Add(findChild<QPushButton*>(name), ANCHOR_LEFT | ANCHOR_BOTTOM);
  // The caption names the item; it is not to be shortened.
  platform::qt::KeepCaptionVisible(*this);
}

void CImageRegionSelectDlg::SetTitle(const std::string& title) {
  m_model.SetTitle(title);
  if (!title.empty()) setWindowTitle(QString::fromStdString(title));
}

void CImageRegionSelectDlg::OnInitDialog() {
  m_anchors.Attach(*this);
  m_menus->clear();
  for (const MenuRegionAttributes& menu : m_model.menus) m_menus->addItem(QString::fromStdString(menu.title));
  m_model.Init();
  if (!m_model.menus.empty()) LoadMenu(0, 0);
  m_control->StartHoverTips();
  if (!m_model.Title().empty()) setWindowTitle(QString::fromStdString(m_model.Title()));
  for (const char* name : {"nextItem", "previousItem", "markAll", "clearAll", "nextMenu", "previousMenu"})
    findChild<QPushButton*>(name)->setVisible(m_model.navigation);
}

void CImageRegionSelectDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  m_anchors.Relayout(*this);
}

void CImageRegionSelectDlg::LoadMenu(int menu, int row) {
  m_model.LoadMenu(menu, row);
  m_menus->setCurrentIndex(m_model.CurrentMenu());
  // A picture that cannot be read hides the control; the list still works.
  if (m_control->LoadPicture(m_model.PicturePath())) {
    FitDialogToControl(*this, *m_control);
    m_control->show();
  } else {
    m_control->hide();
  }
  FillList();
}

void CImageRegionSelectDlg::ShowCurrentMenu() { LoadMenu(m_model.CurrentMenu(), m_model.FocusedRow()); }

void CImageRegionSelectDlg::FillList() {
  m_filling = true;
  m_list->clear();
  for (int row = 0; row < m_model.RowCount(); ++row) m_list->AddRow(m_model.RowText(row), m_model.RowChecked(row));
  if (m_model.FocusedRow() >= 0) m_list->setCurrentRow(m_model.FocusedRow());
  m_filling = false;
  m_control->viewport()->update();
}

void CImageRegionSelectDlg::OnMenuChosen(int menu) { LoadMenu(menu, 0); }

void CImageRegionSelectDlg::StepMenu(bool forward) {
  if (m_model.menus.empty()) return;
  forward ? m_model.NextMenu() : m_model.PreviousMenu();
  LoadMenu(m_model.CurrentMenu(), 0);
}

void CImageRegionSelectDlg::OnRowChecked(int row, bool checked) {
  if (m_filling) return;
  m_model.SetRowChecked(row, checked);
  m_control->viewport()->update();
}

void CImageRegionSelectDlg::OnPictureClicked() {
  if (m_model.ClickPicture()) FillList();
}

void CImageRegionSelectDlg::OnStepItem(bool forward) {
  forward ? m_model.Next() : m_model.Previous();
  if (!m_model.Title().empty()) setWindowTitle(QString::fromStdString(m_model.Title()));
  ShowCurrentMenu();
}

void CImageRegionSelectDlg::OnMarkAll(bool mark) {
  mark ? m_model.MarkAll() : m_model.ClearAll();
  FillList();
}

// Ctrl+N and Ctrl+P in the list step through the menus.
bool CImageRegionSelectDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_list && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::ControlModifier && (key->key() == Qt::Key_N || key->key() == Qt::Key_P)) {
      StepMenu(key->key() == Qt::Key_N);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
