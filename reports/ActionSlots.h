// The view's two kept link actions, with the rule that no action is freed
// while its own handler runs: a page shown from inside a handler retires
// the older action into a list emptied when the handler has returned.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "reports/Action.h"

class ActionSlots {
 public:
  // A new page's action; null installs a plain ReportAction.
  void Install(std::unique_ptr<ReportAction> action);
  // Hands the click to the current action; true when the program handled it.
  bool Dispatch(CZAVDoc& document, IHtmlView& view, const std::string& rawAddress, bool shift = false,
                const std::string& postData = {});

  ReportAction* Current() const { return m_current.get(); }
  ReportAction* Previous() const { return m_previous.get(); }

 private:
  std::unique_ptr<ReportAction> m_current;
  std::unique_ptr<ReportAction> m_previous;
  std::vector<std::unique_ptr<ReportAction>> m_retired;
  int m_running = 0;
};
