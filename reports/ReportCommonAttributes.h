// Common attributes (kind 11): the attributes every item in play has, with
// the user's current mark on each.
#pragma once

#include "reports/Report.h"

class CReportCommonAttributes : public CReport {
 public:
  explicit CReportCommonAttributes(CZAVDoc& document);

  void Build() override;

 private:
  // Writes the entries of one menu's common attributes; returns how many.
  int AppendMenuEntries(int menu, const std::string& path, int inPlay);
  void AppendEntry(int attribute, const std::string& linkText);
};
