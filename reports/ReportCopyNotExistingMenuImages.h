// The menu and attribute picture import (kind 16): resolves the pictures of
// the root's attributes, then of every menu in tree order with each menu's
// own pictures before its attributes' ones.
#pragma once

#include <string>

#include "reports/ReportPictureImport.h"

class CReportCopyNotExistingMenuImages : public CReportPictureImport {
 public:
  CReportCopyNotExistingMenuImages(CZAVDoc& document, std::string importFolder);
  void Build() override;

 private:
  void AppendAttributes(int menu, const std::string& prefix, const std::string& label);
  // One record: its lead line, then its resolution lines when its list names any picture.
  void AppendRecord(const std::string& lead, const std::string& label, std::string& pictures);

  bool m_nothingFound = true;
};
