#include "shell/ItemListView.h"

#include "database/ZAVDoc.h"

CItemListView::CItemListView(CZAVDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {}

CItemListView::~CItemListView() = default;

void CItemListView::FillList() {}
