// What the item editors' benchmarks share: the generated database at the
// limits with an item list whose selection handling builds the item page,
// as the program's list does.
#pragma once

#include <memory>
#include <string>

#include "GeneratedDatabase.h"
#include "platform/DocumentViews.h"
#include "platform/ReportFactory.h"
#include "reports/Action.h"
#include "reports/ReportPages.h"
#include "shell/ItemListRows.h"
#include "shell/TreeDocumentCalls.h"

class DiscardingHtml : public IHtmlView {
 public:
  void ShowPage(const std::string& html, std::unique_ptr<ReportAction>) override { bytes += html.size(); }
  std::size_t bytes = 0;
};

class PageShowingList : public IItemListView {
 public:
  explicit PageShowingList(CZAVDoc& doc) : m_doc(doc) {}
  void FillList() override { rows.FillRows(m_doc); }
  void SelectRow(int row) override { selected = row; }
  int GetSelectedRow() override { return selected; }
  int RowCount() override { return rows.RowCount(); }
  int ItemAtRow(int row) override { return rows.ItemOrNone(row); }
  void OnSelChange() override { treedoc::ShowItemPage(m_doc, rows.ItemOrNone(selected), kFirstPage); }

  CItemListRows rows;
  int selected = 0;

 private:
  CZAVDoc& m_doc;
};

// 32000 items x 16000 attributes in 400 menus, its views attached.
struct LimitDatabase {
  explicit LimitDatabase(bool missingData = false)
      : doc(MakeGeneratedDatabase(kMaxItems, kMaxAttributesOrMenus, 400, 0.05, 11)), list(*doc) {
    InstallReportPageFactory();
    doc->m_missingData = missingData ? 1 : 0;
    doc->ResetItemStates(false);
    doc->UpdateRemainingItems();
    if (missingData) doc->UpdateMissingDataBits();
    doc->AttachViews(&html, nullptr, &list);
    list.FillList();
  }
  std::unique_ptr<CZAVDoc> doc;
  DiscardingHtml html;
  PageShowingList list;
};
