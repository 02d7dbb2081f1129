#include "reports/qt/HelpMDIChildWnd.h"

#include <QMdiArea>
#include <QShortcut>

#include "platform/qt/WindowPlacement.h"
#include "reports/qt/HelpHtmlView.h"

namespace {

// Escape closes a help or picture window, as it closes a dialog.
void CloseOnEscape(QWidget& window) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
  key->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(key, &QShortcut::activated, &window, &QWidget::close);
}

}  // namespace

CHelpMDIChildWnd::CHelpMDIChildWnd(QWidget* parent) : QMdiSubWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose, true);
  setWindowTitle(QString::fromUtf8(kHelpWindowTitle));
  CloseOnEscape(*this);
}

namespace {

CHelpHtmlView* OpenInArea(const CHelpDocument& document, QMdiArea& area) {
  auto* frame = new CHelpMDIChildWnd;
  auto* view = new CHelpHtmlView(document, frame);
  frame->setWidget(view);
  const int earlier = static_cast<int>(area.subWindowList().size());
  area.addSubWindow(frame);
  const QRect room = platform::qt::VisibleRoomFor(&area);
  platform::qt::PlaceInCascade(*frame, room, room.size() * 3 / 4, earlier);
  frame->show();
  return view;
}

CHelpHtmlView* OpenTopLevel(const CHelpDocument& document, QWidget* owner) {
  auto* view = new CHelpHtmlView(document, owner);
  view->setWindowFlag(Qt::Window, true);
  view->setAttribute(Qt::WA_DeleteOnClose, true);
  view->setWindowTitle(QString::fromUtf8(kHelpWindowTitle));
  CloseOnEscape(*view);
  platform::qt::PlaceCentred(*view, platform::qt::VisibleRoomFor(owner), QSize(800, 600));
  view->show();
  return view;
}

}  // namespace

CHelpHtmlView* OpenHelpWindow(const CHelpDocument& document, QWidget* parent) {
  auto* area = qobject_cast<QMdiArea*>(parent);
  CHelpHtmlView* view = area ? OpenInArea(document, *area) : OpenTopLevel(document, parent);
  view->OnInitialUpdate();
  return view;
}
