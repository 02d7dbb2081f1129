// Re-evaluation and the commands that change how items are judged: the
// forgiveness levels (32882-32885, pane 59143) and "Allow Missing Data" (32900).
#include <cstdio>

#include "database/EngineViews.h"
#include "database/ZAVDoc.h"

void CZAVDoc::Reevaluate(bool keepUser) {
  ResetItemStates(keepUser);
  UpdateRemainingItems();
  UpdateIdentifiedStatus(true);
  m_recountFlag = 1;
  engine_views::RefreshTreeAndList(*this);
}

void CZAVDoc::SetForgivenessLevel(int level) {
  if (level < 0 || level > 3 || level == m_forgivenessLevel) return;
  m_forgivenessLevel = static_cast<BYTE>(level);
  m_forgivenessOn = level > 0 ? 1 : 0;
  Reevaluate(true);  // the user's own exclusions stay
}

std::string CZAVDoc::GetForgivenessPaneText() const {
  char text[48];
  if (m_forgivenessLevel == 0)
    std::snprintf(text, sizeof text, "Forgiveness level: %d", 0);
  else
    std::snprintf(text, sizeof text, "Forgiveness level: -%d", m_forgivenessLevel);
  return text;
}

void CZAVDoc::OnAllowMissingData() {
  m_missingData = m_missingData ? 0 : 1;
  if (m_missingData)
    UpdateMissingDataBits();
  else
    engine_views::RepaintTreeControl(*this);
  ResetItemStates(false);  // unlike a forgiveness change, the user's exclusions go
  UpdateRemainingItems();
  UpdateIdentifiedStatus(true);
  // The tree's counts and images follow the new states; a repaint alone
  // showed the old counts beside menus counted anew ("|200/199|").
  engine_views::RefreshTree(*this);
  engine_views::ShowCurrentReport(*this);
  engine_views::FillItemList(*this);
}
