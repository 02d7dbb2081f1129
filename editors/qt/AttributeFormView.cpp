#include "editors/qt/AttributeFormView.h"

#include <QApplication>
#include <algorithm>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>

#include "database/ZAVDoc.h"
#include "editors/ItemAttributeEditor.h"
#include "editors/qt/FormKeys.h"
#include "platform/qt/LiteralText.h"

CAttributeFormView::CAttributeFormView(ItemAttributeEditor& editor, QWidget* parent)
    : QAbstractScrollArea(parent), m_editor(editor), m_layout(LayOutAttributeForm(editor.Document())) {
  setObjectName("attributeForm");
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setBackgroundRole(QPalette::Window);
  setMinimumSize(360, 300);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

int CAttributeFormView::ScrollPosition() const { return verticalScrollBar()->value(); }

int CAttributeFormView::FocusedAttribute() const { return m_focused >= 0 ? m_layout.checkAttributes[m_focused] : -1; }

QRect CAttributeFormView::CheckRect(int check) const {
  const AttributeFormRow& row = m_layout.rows[m_layout.checkRows[check]];
  return {row.left, row.top - ScrollPosition(), viewport()->width() - row.left - 4, row.height};
}

void CAttributeFormView::UpdateScrollRange() {
  const int page = viewport()->height();
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, ScrollMaximum(m_layout.contentHeight, page));
  bar->setPageStep(page);
  bar->setSingleStep(std::max(1, page / 20));
}

void CAttributeFormView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void CAttributeFormView::FocusCheck(int check) {
  if (check < 0 || check >= static_cast<int>(m_layout.checks.size())) return;
  m_focused = check;
  const int page = viewport()->height();
  verticalScrollBar()->setValue(
      ScrollToShow(m_layout.checks[check], ScrollPosition(), page, ScrollMaximum(m_layout.contentHeight, page)));
  viewport()->update();
}

void CAttributeFormView::Toggle(int check) {
  const int attribute = m_layout.checkAttributes[check];
  m_editor.SetChecked(attribute, !m_editor.IsChecked(attribute));
  viewport()->update();
}

int CAttributeFormView::CheckAt(const QPoint& point) const {
  const int y = point.y() + ScrollPosition();
  const int row = m_layout.FirstRowBelow(y);
  if (row >= static_cast<int>(m_layout.rows.size())) return -1;
  const AttributeFormRow& found = m_layout.rows[row];
  if (!found.IsCheck() || y < found.top || point.x() < found.left) return -1;
  const auto it = std::lower_bound(m_layout.checkRows.begin(), m_layout.checkRows.end(), row);
  return static_cast<int>(it - m_layout.checkRows.begin());
}

void CAttributeFormView::mousePressEvent(QMouseEvent* event) {
  const int check = CheckAt(event->position().toPoint());
  if (event->button() != Qt::LeftButton || check < 0) return QAbstractScrollArea::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  FocusCheck(check);
  Toggle(check);
}

void CAttributeFormView::keyPressEvent(QKeyEvent* event) {
  if (const auto key = FormFocusKey(*event)) {
    FocusCheck(MoveFormFocus(m_layout.checks, m_focused, *key, ScrollPosition(), viewport()->height()));
    return;
  }
  if (event->key() == Qt::Key_Space && m_focused >= 0) return Toggle(m_focused);
  QAbstractScrollArea::keyPressEvent(event);
}

void CAttributeFormView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  // Tabbing into the form lands on the first check box the first time.
  if (m_focused < 0 && !m_layout.checks.empty())
    FocusCheck(0);
  else
    viewport()->update();
}

void CAttributeFormView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const CZAVDoc& doc = m_editor.Document();
  const int scroll = ScrollPosition();
  const int width = viewport()->width();
  QStyleOptionButton option;
  for (int r = m_layout.FirstRowBelow(scroll); r < static_cast<int>(m_layout.rows.size()); ++r) {
    const AttributeFormRow& row = m_layout.rows[r];
    if (row.top - scroll > viewport()->height()) break;
    const QRect rect(row.left, row.top - scroll, width - row.left - 4, row.height);
    if (!row.IsCheck()) {
      painter.setPen(palette().color(QPalette::WindowText));
      painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       QString::fromStdString(doc.GetMenu(row.menu).title));
      continue;
    }
    option.initFrom(viewport());
    option.rect = rect;
    option.text = platform::qt::LiteralText(doc.GetAttribute(row.attribute).name);
    option.state = QStyle::State_Enabled | (m_editor.IsChecked(row.attribute) ? QStyle::State_On : QStyle::State_Off);
    if (hasFocus() && m_focused >= 0 && m_layout.checkAttributes[m_focused] == row.attribute)
      option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    style()->drawControl(QStyle::CE_CheckBox, &option, &painter, viewport());
  }
}
