// A modeless progress window with a "Stop" button, stepped by a long
// operation; it keeps the program responsive and lets the user cancel.
#pragma once

#include <QDialog>

#include "shell/ProgressSteps.h"

class QLabel;
class QProgressBar;

class CProgressDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CProgressDlg(const QString& caption = QString());
  ~CProgressDlg() override;

  bool Create(QWidget* parent);
  void SetRange(int lower, int upper);
  int SetPos(int position);
  // One step; the error box "Operation canceled by user." after Stop.
  void CheckCancelButton();
  void SetTotalSteps(int total) { m_steps.total = total; }
  bool Cancelled() const { return m_cancelled; }
  QString PercentText() const;
  int Position() const;

 private:
  void OnStop() { m_cancelled = true; }

  QWidget* m_parentWindow = nullptr;
  bool m_parentDisabled = false;
  CProgressSteps m_steps;
  QProgressBar* m_bar;
  QLabel* m_percent;
  bool m_cancelled = false;
};
