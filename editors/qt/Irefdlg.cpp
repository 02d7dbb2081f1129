#include "editors/qt/Irefdlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>

#include "editors/ItemReferenceEditor.h"
#include "editors/qt/FormKeys.h"
#include "platform/qt/DialogRunner.h"

namespace {

// The form's measures in pixels: the first edit box, the title beside it and
// the distance from one row to the next.
constexpr int kLeft = 10, kTop = 10, kEditWidth = 180, kEditHeight = 22;
constexpr int kTitleOffsetX = 190, kTitleOffsetY = 3, kTitleWidth = 320, kRowSpacing = 28;

}  // namespace

CIrefdlg::CIrefdlg(std::unique_ptr<ItemReferenceEditor> editor, QWidget* parent)
    : CSteppingItemDialog(*editor, "help.htm#ItemRefDialog", parent), m_editor(std::move(editor)) {
  setObjectName("itemReferenceEditor");
  m_scroller = new QScrollArea(this);
  m_scroller->setObjectName("referenceForm");
  auto* form = new QWidget;
  int y = kTop;
  for (int k = 0; k < m_editor->Count(); ++k, y += kRowSpacing) {
    auto* edit = new QLineEdit(form);
    edit->setObjectName(QString("referencePage%1").arg(k));
    edit->setGeometry(kLeft, y, kEditWidth, kEditHeight);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this,
            [this, k](const QString& text) { m_editor->SetText(k, text.toStdString()); });
    auto* title = new QLabel(QString::fromStdString(m_editor->Title(k)), form);
    title->setTextFormat(Qt::PlainText);
    title->setGeometry(kLeft + kTitleOffsetX, y + kTitleOffsetY, kTitleWidth, kEditHeight);
    m_edits.push_back(edit);
    m_spans.push_back({y, kEditHeight});
  }
  form->setFixedSize(kLeft + kTitleOffsetX + kTitleWidth, y + kRowSpacing);
  m_scroller->setWidget(form);
  SetForm(m_scroller);
  resize(600, 420);
  ReloadForm();
  if (!m_edits.empty()) m_edits.front()->setFocus(Qt::OtherFocusReason);
}

CIrefdlg::~CIrefdlg() = default;

void CIrefdlg::ReloadForm() {
  for (int k = 0; k < static_cast<int>(m_edits.size()); ++k)
    m_edits[k]->setText(QString::fromStdString(m_editor->Text(k)));
}

int CIrefdlg::IndexOf(QObject* edit) const {
  for (int k = 0; k < static_cast<int>(m_edits.size()); ++k)
    if (m_edits[k] == edit) return k;
  return -1;
}

void CIrefdlg::Focus(int k) {
  if (k >= 0) m_edits[k]->setFocus(Qt::OtherFocusReason);
}

bool CIrefdlg::eventFilter(QObject* watched, QEvent* event) {
  const int k = IndexOf(watched);
  if (k < 0) return CSteppingItemDialog::eventFilter(watched, event);
  QScrollBar* bar = m_scroller->verticalScrollBar();
  const int page = m_scroller->viewport()->height();
  if (event->type() == QEvent::FocusIn) bar->setValue(ScrollToShow(m_spans[k], bar->value(), page, bar->maximum()));
  if (event->type() == QEvent::KeyPress) {
    if (const auto key = FormFocusKey(*static_cast<QKeyEvent*>(event))) {
      Focus(MoveFormFocus(m_spans, k, *key, bar->value(), page));
      return true;
    }
  }
  return CSteppingItemDialog::eventFilter(watched, event);
}

bool RunItemReferenceEditor(CZAVDoc& doc, int item, int listRow, QWidget* parent) {
  CIrefdlg dialog(std::make_unique<ItemReferenceEditor>(doc, item, listRow), parent);
  return platform::qt::RunModal(dialog) == QDialog::Accepted;
}
