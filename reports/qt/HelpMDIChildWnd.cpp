#include "reports/qt/HelpMDIChildWnd.h"

#include <QMdiArea>

#include "reports/qt/HelpHtmlView.h"

CHelpMDIChildWnd::CHelpMDIChildWnd(QWidget* parent) : QMdiSubWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose, true);
  setWindowTitle(QString::fromUtf8(kHelpWindowTitle));
}

namespace {

CHelpHtmlView* OpenInArea(const CHelpDocument& document, QMdiArea& area) {
  auto* frame = new CHelpMDIChildWnd;
  auto* view = new CHelpHtmlView(document, frame);
  frame->setWidget(view);
  area.addSubWindow(frame);
  frame->resize(area.size() * 3 / 4);
  frame->show();
  return view;
}

CHelpHtmlView* OpenTopLevel(const CHelpDocument& document, QWidget* owner) {
  auto* view = new CHelpHtmlView(document, owner);
  view->setWindowFlag(Qt::Window, true);
  view->setAttribute(Qt::WA_DeleteOnClose, true);
  view->setWindowTitle(QString::fromUtf8(kHelpWindowTitle));
  view->resize(800, 600);
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
