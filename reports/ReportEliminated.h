// The current search (kind 12): the marks by menu and the items the user
// eliminated.
#pragma once

#include "reports/Report.h"

class CReportEliminated : public CReport {
 public:
  explicit CReportEliminated(CZAVDoc& document);
  void Build() override;

 private:
  int AppendMarks();
  int AppendEliminatedItems();
  std::string EliminatedText(int item) const;
};
