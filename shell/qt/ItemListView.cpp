#include "shell/qt/ItemListView.h"

#include <QLabel>
#include <QVBoxLayout>

#include "database/CommandIds.h"
#include "shell/ItemListRows.h"
#include "database/ZAVDoc.h"
#include "database/ZAVDocCommands.h"
#include "platform/ErrorBox.h"
#include "reports/Report.h"
#include "platform/ReportFactory.h"
#include "editors/qt/Idatadlg.h"
#include "editors/qt/Irefdlg.h"
#include "shell/ItemListCommands.h"
#include "shell/qt/ItemListBox.h"
#include "shell/PopupCommandIds.h"

using namespace popup_cmd;

CItemListView::CItemListView(CZAVDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc), m_regionOwner(doc) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  m_caption = new QLabel("Items/Species", this);
  m_caption->setObjectName("itemListCaption");
  m_list = new CItemListBox(doc, this);
  m_list->setObjectName("itemListBox");
  layout->addWidget(m_caption);
  layout->addWidget(m_list, 1);
  m_list->SetCommandFilter([this](int command) { return HasCommand(command); });
  m_list->SetCommandSink([this](int command) { return OnCommand(command); });
  AddCommandHandler(cmd::kItemListReport, [this] { OnItemListReport(m_doc); });
  AddItemCommandHandler(cmd::kEliminateItem, [this](int item) { m_doc.ToggleItemExcluded(item); });
  AddItemCommandHandler(kEditItemRegions, [this](int item) { EditItemRegions(item); });
  AddItemCommandHandler(kListDistinctive,
                        [this](int item) { ReportFactory().RunReport(m_doc, kReportDistinctive, item, kFirstPage); });
  AddItemEditingCommands();
  FillList();
}

void CItemListView::AddItemEditingCommands() {
  AddItemCommandHandler(kListDelete, [this](int item) { item_list::DeleteItem(m_doc, item, GetSelectedRow()); });
  AddItemCommandHandler(kListDuplicate, [this](int item) { item_list::DuplicateItem(m_doc, item); });
  AddItemCommandHandler(kListEditAttributes, [this](int item) {
    // The editor may have changed items before an error box abandoned it:
    // the states follow the data whatever happened.
    RunCommand([&] { RunItemAttributeEditor(m_doc, item, GetSelectedRow(), this); });
    ReevaluateAfterItemEdit();
  });
  AddItemCommandHandler(kListEditReferences, [this](int item) {
    const int row = GetSelectedRow();
    RunItemReferenceEditor(m_doc, item, row, this);
    m_doc.ShowReport(false);
    SelectRow(row);
  });
}

void CItemListView::ReevaluateAfterItemEdit() { item_list::ReevaluateAfterItemEdit(m_doc); }

CItemListView::~CItemListView() {
  if (m_doc.m_focusWindow == m_list) m_doc.m_focusWindow = nullptr;
}

QString CItemListView::CaptionText() const { return m_caption->text(); }

void CItemListView::FillList() {
  m_list->FillRows();
  RefillUnchangedRows();
}

// The first row is selected again and names the item page, as after every
// refill; walking the order of a large key again would only find the same rows.
void CItemListView::RefillUnchangedRows() {
  m_list->SelectRow(0);
  const CItemListRows& rows = m_list->Rows();
  if (rows.RowCount() > 0 && m_doc.m_reportKind == kReportItemDescription && m_doc.m_reportArgument != -2000)
    m_doc.m_reportArgument = rows.ItemOrNone(0);
  UpdateCaption();
}

void CItemListView::UpdateCaption() {
  m_caption->setText(QString::fromStdString(CItemListRows::Caption(m_doc)));
  // The level labels may have changed with the caption's.
  m_list->setToolTip(QString::fromStdString(CItemListRows::ToolTip(m_doc)));
}

void CItemListView::SelectItem(int item) { m_list->SelectItem(item); }

int CItemListView::GetSelectedItemOrNone() { return m_list->Rows().ItemOrNone(m_list->SelectedRow()); }

void CItemListView::SelectRow(int row) { m_list->SelectRow(row); }

int CItemListView::GetSelectedRow() { return m_list->SelectedRow(); }

int CItemListView::RowCount() { return m_list->Rows().RowCount(); }

int CItemListView::ItemAtRow(int row) { return m_list->Rows().ItemOrNone(row); }

void CItemListView::OnSelChange() { m_list->OnSelChange(); }

bool CItemListView::EditItemDescription(int item) { return m_itemEditor && m_itemEditor(item); }

void CItemListView::EditItemReferences() { OnCommand(kListEditReferences); }

void CItemListView::EditItemAttributes() { OnCommand(kListEditAttributes); }

bool CItemListView::OffersItemCommand(int command) {
  switch (command) {
    case kCmdEditItem:
      return static_cast<bool>(m_itemEditor);
    case kCmdEditItemReferences:
      return HasCommand(kListEditReferences);
    case kCmdEditItemAttributes:
      return HasCommand(kListEditAttributes);
    default:
      return false;
  }
}

void CItemListView::AddCommandHandler(int command, std::function<void()> handler) {
  m_commands.Add(command, std::move(handler));
}

void CItemListView::AddItemCommandHandler(int command, std::function<void(int item)> handler) {
  AddCommandHandler(command, [this, handler = std::move(handler)] {
    if (const int item = GetSelectedItemOrNone(); item >= 0) handler(item);
  });
}

bool CItemListView::OnCommand(int command) { return m_commands.Run(command); }

std::optional<CommandState> CItemListView::CommandStateOf(int command) {
  if (!HasCommand(command)) return std::nullopt;
  return CommandState{};
}
