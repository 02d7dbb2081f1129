// Distinctive attributes of one item (kind 10): the attributes it has that
// not every item in play shares, rarest first.
#pragma once

#include "reports/Report.h"

class CReportUnusual : public CReport {
 public:
  CReportUnusual(CZAVDoc& document, int item);

  void Build() override;

 private:
  // The sentence that refuses the page, empty when the page can be built.
  std::string Refusal() const;
  std::string RowText(DWORD count, int attribute) const;
  void AppendItemPicture();

  int m_item;
};
