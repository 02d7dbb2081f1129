#include "shell/qt/ProgDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ErrorBox.h"

CProgressDlg::CProgressDlg(const QString& caption) {
  setWindowTitle(caption.isEmpty() ? QString("Processing") : caption);
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  m_bar = new QProgressBar(this);
  m_bar->setObjectName("progressBar");
  m_bar->setTextVisible(false);
  m_percent = new QLabel(" 0 %", this);
  m_percent->setObjectName("percentText");
  row->addWidget(m_bar, 1);
  row->addWidget(m_percent);
  layout->addLayout(row);
  auto* stop = new QPushButton("Stop", this);
  stop->setObjectName("stopButton");
  stop->setDefault(true);
  layout->addWidget(stop, 0, Qt::AlignHCenter);
  connect(stop, &QPushButton::clicked, this, &CProgressDlg::OnStop);
  SetRange(0, 100);
}

CProgressDlg::~CProgressDlg() {
  if (m_parentDisabled && m_parentWindow) m_parentWindow->setEnabled(true);
}

bool CProgressDlg::Create(QWidget* parent) {
  m_parentWindow = parent ? parent->window() : nullptr;
  if (m_parentWindow && m_parentWindow->isEnabled()) {
    m_parentWindow->setEnabled(false);
    m_parentDisabled = true;
  }
  setModal(false);
  SetPos(m_steps.lower);
  show();
  return true;
}

void CProgressDlg::SetRange(int lower, int upper) {
  m_steps.lower = lower;
  m_steps.upper = upper;
  m_bar->setRange(lower, std::max(lower, upper));
}

int CProgressDlg::SetPos(int position) {
  QApplication::processEvents();
  const int previous = m_bar->value();
  m_bar->setValue(position);
  const QString text = QString::fromStdString(m_steps.PercentText(position));
  if (m_percent->text() != text) m_percent->setText(text);
  return previous;
}

void CProgressDlg::CheckCancelButton() {
  const int position = m_steps.Step();
  if (position < 0) return;
  SetPos(position);
  if (m_cancelled) ThrowErrorMessage("Operation canceled by user.");
}

QString CProgressDlg::PercentText() const { return m_percent->text(); }

int CProgressDlg::Position() const { return m_bar->value(); }
