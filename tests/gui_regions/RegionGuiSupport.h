// Pictures on disk and real mouse input on the region control's viewport.
#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <string>

#include "editors/qt/ImageRegionCtrl.h"
#include "fakes/TempFolder.h"

namespace regions_gui {

inline std::string WritePicture(const TempFolder& folder, const std::string& name, int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::white);
  const std::string path = folder.File(name);
  picture.save(QString::fromStdString(path));
  return path;
}

inline void Send(QWidget* target, QEvent::Type type, const QPoint& at, Qt::MouseButtons held) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

// A press, a move and a release: a click when from and to are the same point.
inline void Drag(CImageRegionCtrl& control, const QPoint& from, const QPoint& to) {
  QWidget* viewport = control.viewport();
  Send(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
  Send(viewport, QEvent::MouseMove, to, Qt::LeftButton);
  Send(viewport, QEvent::MouseButtonRelease, to, Qt::NoButton);
}
inline void Click(CImageRegionCtrl& control, const QPoint& at) { Drag(control, at, at); }
inline void Hover(CImageRegionCtrl& control, const QPoint& at) {
  Send(control.viewport(), QEvent::MouseMove, at, Qt::NoButton);
}

}  // namespace regions_gui
