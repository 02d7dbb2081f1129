#include "platform/qt/DialogFocus.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>
#include <QToolButton>

namespace platform::qt {
namespace {

bool IsField(const QWidget& widget, const QDialog& dialog) {
  if (!(widget.focusPolicy() & Qt::TabFocus) || !widget.isEnabled() || widget.isHidden()) return false;
  if (widget.focusProxy()) return false;  // its proxy stands in the chain itself
  if (qobject_cast<const QPushButton*>(&widget) || qobject_cast<const QToolButton*>(&widget)) return false;
  for (const QWidget* w = &widget; w && w != &dialog; w = w->parentWidget())
    if (qobject_cast<const QDialogButtonBox*>(w) || w->isHidden()) return false;
  return true;
}

// The layouts hold the widgets in the order the user sees them, which the
// creation order (the focus chain) need not follow.
QWidget* FirstFieldIn(QLayout* layout, const QDialog& dialog) {
  if (!layout) return nullptr;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (QWidget* widget = item->widget()) {
      if (widget->isHidden()) continue;
      if (IsField(*widget, dialog)) return widget;
      if (widget->focusProxy() && IsField(*widget->focusProxy(), dialog)) return widget->focusProxy();
      if (QWidget* inner = FirstFieldIn(widget->layout(), dialog)) return inner;
    } else if (QWidget* inner = FirstFieldIn(item->layout(), dialog)) {
      return inner;
    }
  }
  return nullptr;
}

}  // namespace

QWidget* FirstField(QDialog& dialog) {
  if (QWidget* field = FirstFieldIn(dialog.layout(), dialog)) return field;
  // Widgets placed without a layout: the first in Tab order.
  for (QWidget* w = dialog.nextInFocusChain(); w && w != &dialog; w = w->nextInFocusChain())
    if (dialog.isAncestorOf(w) && IsField(*w, dialog)) return w;
  return nullptr;
}

void FocusFirstField(QDialog& dialog) {
  if (dialog.focusWidget()) return;
  if (QWidget* field = FirstField(dialog)) field->setFocus(Qt::TabFocusReason);
}

}  // namespace platform::qt
