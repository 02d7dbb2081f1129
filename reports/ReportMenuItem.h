// The page of one menu (kind 5): title, pictures, difficulty, help text.
#pragma once

#include "reports/Report.h"

class CReportMenuItem : public CReport {
 public:
  CReportMenuItem(CZAVDoc& document, int menu);
  void Build() override;

 private:
  int m_menu;
};
