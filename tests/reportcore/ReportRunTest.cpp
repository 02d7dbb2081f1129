// A report's run: the page and action handed to the view, the kind and
// paging bookkeeping, cancelled and abandoned builds, and the view's slots.
#include "ReportCoreFixtures.h"
#include "platform/ErrorBox.h"
#include "reports/ActionSlots.h"
#include "reports/PageBuffer.h"
#include "reports/Report.h"

using namespace reportcore_test;

namespace {

class TestReport : public CReport {
 public:
  enum class Ending { Page, Cancel, Abandon };
  TestReport(CZAVDoc& doc, Ending ending) : CReport(doc, "T"), m_ending(ending) { m_Kind = 3; }
  void Build() override {
    CReport::Build();
    if (m_ending == Ending::Cancel) m_Cancelled = 1;
    if (m_ending == Ending::Abandon) ThrowErrorMessage("broken");
  }

 private:
  Ending m_ending;
};

struct CountedAction : ReportAction {
  explicit CountedAction(int& alive) : m_alive(alive) { ++m_alive; }
  ~CountedAction() override { --m_alive; }
  int& m_alive;
};

}  // namespace

TEST(ReportRun, ShowsPageAndActionAndSetsTheKind) {
  Desk desk;
  desk.doc.m_pageStart = 4;
  desk.doc.m_pageEnd = 9;
  TestReport report(desk.doc, TestReport::Ending::Page);
  auto action = std::make_unique<ActionForItemsReport>();
  ReportAction* raw = action.get();
  report.Execute(std::move(action), kFirstPage);
  ASSERT_EQ(desk.view.pages.size(), 1u);
  EXPECT_NE(desk.view.pages[0].find("<h1>T</h1>"), std::string::npos);
  EXPECT_EQ(desk.view.actions[0].get(), raw);
  EXPECT_EQ(raw->m_kind, 3);
  EXPECT_EQ(desk.doc.m_reportKind, 3);
  EXPECT_EQ(desk.doc.m_pageStart, -1);
  EXPECT_EQ(desk.doc.m_pageEnd, -1);
  EXPECT_EQ(desk.ui.waitCursorDepth, 0);
  desk.doc.m_pageStart = 4;
  TestReport again(desk.doc, TestReport::Ending::Page);
  again.Execute(nullptr, kNextPage);
  EXPECT_EQ(desk.doc.m_pageStart, 4) << "later pages keep the positions";
}

TEST(ReportRun, CancelledOrAbandonedBuildFreesTheActionAndKeepsTheKind) {
  Desk desk;
  int alive = 0;
  desk.doc.m_reportKind = 7;
  TestReport cancelled(desk.doc, TestReport::Ending::Cancel);
  EXPECT_EQ(desk.doc.m_reportKind, -1) << "a report under construction";
  cancelled.Execute(std::make_unique<CountedAction>(alive), kSamePage);
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(desk.doc.m_reportKind, 7);
  TestReport abandoned(desk.doc, TestReport::Ending::Abandon);
  desk.doc.m_reportKind = 7;
  EXPECT_FALSE(RunCommand([&] { abandoned.Execute(std::make_unique<CountedAction>(alive), kSamePage); }));
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(desk.doc.m_reportKind, 7);
  EXPECT_TRUE(desk.view.pages.empty());
  EXPECT_EQ(desk.ui.Messages(), std::vector<std::string>{"broken"});
  EXPECT_EQ(desk.ui.waitCursorDepth, 0);
}

namespace {

// A view that keeps its actions in slots, and an action whose handler
// shows two pages (as the item page's "move" link does).
struct SlotView : IHtmlView {
  ActionSlots slots;
  void ShowPage(const std::string&, std::unique_ptr<ReportAction> action) override { slots.Install(std::move(action)); }
};

struct TwoPagesAction : ReportAction {
  TwoPagesAction(SlotView& view, int& alive, bool& sawSelf) : m_view(view), m_alive(alive), m_sawSelf(sawSelf) {
    ++m_alive;
  }
  ~TwoPagesAction() override { --m_alive; }
  bool Execute() override {
    m_view.ShowPage("", std::make_unique<ReportAction>());
    m_view.ShowPage("", std::make_unique<ReportAction>());
    m_sawSelf = m_kind == 42;  // touches this object after both replacements
    return true;
  }
  SlotView& m_view;
  int& m_alive;
  bool& m_sawSelf;
};

}  // namespace

TEST(ActionSlots, KeepTwoActionsAndNeverFreeTheRunningOne) {
  Desk desk;
  SlotView view;
  int alive = 0;
  bool sawSelf = false;
  auto first = std::make_unique<TwoPagesAction>(view, alive, sawSelf);
  first->m_kind = 42;
  view.slots.Install(std::move(first));
  EXPECT_TRUE(view.slots.Dispatch(desk.doc, view, "http:\\\\x1end"));
  EXPECT_TRUE(sawSelf);
  EXPECT_EQ(alive, 0) << "freed once its handler returned";
  ASSERT_NE(view.slots.Current(), nullptr);
  ASSERT_NE(view.slots.Previous(), nullptr);
  view.slots.Install(nullptr);
  EXPECT_EQ(typeid(*view.slots.Current()), typeid(ReportAction));
}
