// The picture check (kind 14): every picture name of the menus, attributes
// and items whose file is missing from the database folder.
#pragma once

#include <string>

#include "reports/Report.h"

class CReportNotExistingImages : public CReport {
 public:
  explicit CReportNotExistingImages(CZAVDoc& document);
  void Build() override;

 private:
  void AppendMenus();
  void AppendItems();
  // Writes lead before the first missing name of the list, then one line per
  // missing name ending with `ending`.
  void AppendMissing(const std::string& lead, const std::string& pictures, const char* ending);
  void AppendNothingFound();

  std::string m_folder;  // the database folder
  bool m_nothingFound = true;
};
