#include "shell/qt/ToolTipTrack.h"

#include <QLabel>
#include <QWidget>

CToolTipTrack::~CToolTipTrack() { delete m_tip; }

void CToolTipTrack::Create(QWidget* owner) {
  if (m_tip) return;
  m_owner = owner;
  m_tip = new QLabel(nullptr, Qt::ToolTip | Qt::WindowStaysOnTopHint);
  m_tip->setObjectName("trackingTip");
  m_tip->setTextFormat(Qt::PlainText);
  m_tip->setMargin(2);
  m_tip->setStyleSheet("background: #FFFFE1; border: 1px solid #767676;");
}

void CToolTipTrack::SetText(const QString& text) {
  if (!m_tip) return;
  m_tip->setText(text);
  m_tip->adjustSize();
}

void CToolTipTrack::SetPosition(int x, int y) {
  if (!m_tip) return;
  m_tip->move(m_owner ? m_owner->mapToGlobal(QPoint(x, y)) : QPoint(x, y));
}

void CToolTipTrack::Activate(bool show) {
  if (m_tip) m_tip->setVisible(show);
}

QString CToolTipTrack::Text() const { return m_tip ? m_tip->text() : QString(); }
bool CToolTipTrack::IsShown() const { return m_tip && m_tip->isVisible(); }
QPoint CToolTipTrack::ScreenPosition() const { return m_tip ? m_tip->pos() : QPoint(); }
