#include "shell/LeftView.h"

#include "database/ZAVDoc.h"

CLeftView::CLeftView(CZAVDoc& doc, QWidget* parent) : QTreeView(parent), m_doc(doc) {}

CLeftView::~CLeftView() = default;

void CLeftView::RefreshTree() { viewport()->update(); }
