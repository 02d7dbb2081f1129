// The scrolling form of the attribute-data editor: indented menu titles and
// one check box per attribute. It paints only the rows in sight, so a menu
// tree of thousands of attributes opens at once; the check boxes are rows
// of the form, with one of them holding the form's focus.
#pragma once

#include <QAbstractScrollArea>

#include "editors/AttributeFormLayout.h"

class ItemAttributeEditor;

class CAttributeFormView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  CAttributeFormView(ItemAttributeEditor& editor, QWidget* parent = nullptr);

  const AttributeFormLayout& Layout() const { return m_layout; }
  // The check box with the form's focus, -1 before any had it.
  int FocusedCheck() const { return m_focused; }
  int FocusedAttribute() const;
  void FocusCheck(int check);
  int ScrollPosition() const;
  // The check box's rectangle in the viewport (where the user sees it).
  QRect CheckRect(int check) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void UpdateScrollRange();
  void Toggle(int check);
  int CheckAt(const QPoint& viewportPoint) const;

  ItemAttributeEditor& m_editor;
  AttributeFormLayout m_layout;
  int m_focused = -1;
};
