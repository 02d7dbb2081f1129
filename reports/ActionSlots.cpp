#include "reports/ActionSlots.h"

void ActionSlots::Install(std::unique_ptr<ReportAction> action) {
  if (!action) action = std::make_unique<ReportAction>();
  // While a handler runs, the action leaving the slots may be the one running.
  if (m_running > 0 && m_previous) m_retired.push_back(std::move(m_previous));
  m_previous = std::move(m_current);
  m_current = std::move(action);
}

bool ActionSlots::Dispatch(CZAVDoc& document, IHtmlView& view, const std::string& rawAddress, bool shift,
                           const std::string& postData) {
  if (!m_current) m_current = std::make_unique<ReportAction>();
  ReportAction* running = m_current.get();
  ++m_running;
  struct Done {
    ActionSlots& slots;
    ~Done() {
      if (--slots.m_running == 0) slots.m_retired.clear();
    }
  } done{*this};
  return running->OnNavigate(document, view, rawAddress, shift, postData);
}
