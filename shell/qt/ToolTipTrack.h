// A tooltip that its owner moves and shows itself, to name what lies under
// the mouse.
#pragma once

#include <QPoint>
#include <QString>

class QLabel;
class QWidget;

class CToolTipTrack {
 public:
  virtual ~CToolTipTrack();

  void Create(QWidget* owner);
  void SetText(const QString& text);
  // x, y in the owner's client coordinates.
  void SetPosition(int x, int y);
  void Activate(bool show);

  QString Text() const;
  bool IsShown() const;
  QPoint ScreenPosition() const;

 private:
  QWidget* m_owner = nullptr;
  QLabel* m_tip = nullptr;
};
