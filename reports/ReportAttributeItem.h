// The page of one attribute (kind 8): name, pictures, help text, file names.
#pragma once

#include "reports/Report.h"

class CReportAttributeItem : public CReport {
 public:
  CReportAttributeItem(CZAVDoc& document, int attribute);
  void Build() override;

 private:
  int m_attribute;
};
