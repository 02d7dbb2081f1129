// The page of one item (kind 7): navigation bar, name, reasons for its
// elimination, pictures, names by level, description, links, references
// and its attributes by menu.
#pragma once

#include "reports/Report.h"

class CReportItemItem : public CReport {
 public:
  // The index kNoItemPage stands for no item: an empty page.
  static constexpr int kNoItemPage = -2000;

  CReportItemItem(CZAVDoc& document, int item);

  void Build() override;

 private:
  std::string NavigationBar() const;
  void AppendReasons();
  void AppendLevelNames();
  void AppendReferences();

  int m_item;
};
