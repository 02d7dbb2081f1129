// The picture of a menu with its attribute regions as an image map (kind 17).
#pragma once

#include "reports/Report.h"

class CReportAttributeRegion : public CReport {
 public:
  CReportAttributeRegion(CZAVDoc& document, int menu);
  void Build() override;

 private:
  int m_menu;
};
