// The page of one reference (kind 6).
#pragma once

#include "reports/Report.h"

class CReportReferenceItem : public CReport {
 public:
  CReportReferenceItem(CZAVDoc& document, int reference);
  void Build() override;

 private:
  int m_reference;
};
