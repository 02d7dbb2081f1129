// The item list pane: a caption line over the list of items.
#pragma once

#include <QWidget>

#include "platform/DocumentViews.h"

class CZAVDoc;

class CItemListView : public QWidget, public IItemListView {
  Q_OBJECT
 public:
  CItemListView(CZAVDoc& doc, QWidget* parent = nullptr);
  ~CItemListView() override;

  CZAVDoc& GetDocument() const { return m_doc; }
  void FillList() override;

 private:
  CZAVDoc& m_doc;
};
