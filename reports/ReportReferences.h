// The reference list (kind 2): every reference title, numbered.
#pragma once

#include "reports/Report.h"

class CReportReferences : public CReport {
 public:
  explicit CReportReferences(CZAVDoc& document);
  void Build() override;
};
