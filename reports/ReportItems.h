// The item list (kind 3): the items in play in the current name order,
// numbered, each with the parts the item list options ask for. Paged by
// items (when pictures are shown) and page length.
#pragma once

#include "reports/Report.h"

class CReportItems : public CReport {
 public:
  explicit CReportItems(CZAVDoc& document);

  void Build() override;

  static constexpr int kItemsPerPage = 10;
  static constexpr int kThumbnailItemsPerPage = 30;
  static constexpr std::size_t kPageLength = 100000;
  static constexpr std::size_t kThumbnailPageLength = 320000;

 private:
  bool PageFull(int written) const;
  void AppendItem(int position, int item);
  void AppendReferences(const CQItemrec& record);

  bool m_thumbnails = false;
};
