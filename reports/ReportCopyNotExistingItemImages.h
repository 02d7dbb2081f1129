// The item picture import (kind 15): resolves the pictures of every
// remaining item in name order and lists what happened to each.
#pragma once

#include "reports/ReportPictureImport.h"

class CReportCopyNotExistingItemImages : public CReportPictureImport {
 public:
  CReportCopyNotExistingItemImages(CZAVDoc& document, std::string importFolder);
  void Build() override;

 private:
  void AppendItem(int item);
};
