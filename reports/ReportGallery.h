// The gallery (kind 4): the pictures of the items in play, a number of
// pictures a page; a page may stop inside an item's pictures and the next
// page resumes there.
#pragma once

#include "reports/Report.h"

class CReportGallery : public CReport {
 public:
  explicit CReportGallery(CZAVDoc& document);
  void Build() override;

 private:
  bool Qualifies(int item, bool anySelected) const;
  int StartResume();
  // Writes the item's pictures from `resume`; returns the index after the
  // last picture processed and sets `total` to the item's picture count.
  int AppendPictures(int item, const std::string& name, int resume, int budget, int& total);
};
