// The menu analysis (kind 9): rates every unmarked menu of attributes that
// still splits the items in play and lists them, most useful first.
#pragma once

#include <vector>

#include "reports/MenuScoring.h"
#include "reports/Report.h"

class CReportAnalize : public CReport {
 public:
  explicit CReportAnalize(CZAVDoc& document);

  void Build() override;

  // True when rated menus were produced; false after a refusal (its
  // message box has been shown).
  bool Analyze();

  const std::vector<WORD>& RatedMenus() const { return m_ratedMenus; }
  // The rated menus with score and band, in report order (for inspection).
  const std::vector<RatedMenu>& RatedDetails() const { return m_rated; }

 private:
  bool Refused();
  void RateMenu(WORD menu, std::vector<bool>& visited);
  void RateAttributeMenu(WORD menu);
  void OrderByBands();

  CandidateCounts m_counts;
  float m_highest = 0;
  float m_lowest = 0;
  std::vector<RatedMenu> m_rated;
  std::vector<WORD> m_ratedMenus;
};
