// The caps-lock, num-lock and scroll-lock indicators of a database window's
// status bar: each pane shows its key's name, greyed while the lock is off.
// The toolkit does not report lock states, so the panes follow the lock keys
// pressed while the program runs, starting from off.
#pragma once

#include <QObject>
#include <array>

class QLabel;
class QStatusBar;

class CLockKeyPanes : public QObject {
  Q_OBJECT
 public:
  // Appends the three panes to the bar, after the panes already there.
  explicit CLockKeyPanes(QStatusBar& bar);
  QLabel* Pane(int index) const { return m_panes[index]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QLabel*, 3> m_panes{};
};
