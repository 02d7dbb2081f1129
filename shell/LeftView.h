// The tree pane: menus, attributes and references of one database.
#pragma once

#include <QTreeView>

#include "platform/DocumentViews.h"

class CZAVDoc;

class CLeftView : public QTreeView, public ILeftView {
  Q_OBJECT
 public:
  CLeftView(CZAVDoc& doc, QWidget* parent = nullptr);
  ~CLeftView() override;

  CZAVDoc& GetDocument() const { return m_doc; }
  void RefreshTree() override;

 private:
  CZAVDoc& m_doc;
};
