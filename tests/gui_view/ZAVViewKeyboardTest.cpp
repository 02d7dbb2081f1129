// A page worked with the keyboard alone: Tab reaches the pictures a click
// opens, Enter does what the click does, and a popup the keys ask for opens
// at the focused link.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>

#include "database/ZAVDoc.h"
#include "reports/qt/ReportPage.h"
#include "reports/qt/ZAVView.h"
#include "ViewFixture.h"

using namespace viewtest;

namespace {

const char kPicturePage[] =
    "<html><body>"
    "<a id='item' href='http:\\\\item%205end'>item</a>"
    "<img id='thumb' src='x.png' width='30' height='30' onClick='this.className=\"enlarged\"'>"
    "<img src='y.png' width='30' height='30' usemap='#m'><map name='m'>"
    "<area id=\"qorattr:Red\" onclick=\"window.navigate(id)\" shape='rect' coords='0,0,30,30'></map>"
    "</body></html>";

// Records each call and, as an item link's action does, asks the view for
// its popup and where it opens.
class PopupAction : public ReportAction {
 public:
  PopupAction(std::vector<Call>& calls, std::vector<QPoint>& points, CZAVView& view)
      : m_calls(calls), m_points(points), m_view(view) {}
  bool Execute() override {
    m_calls.push_back({m_address, m_shift});
    m_points.push_back(m_view.PopupPoint());
    return true;
  }

 private:
  std::vector<Call>& m_calls;
  std::vector<QPoint>& m_points;
  CZAVView& m_view;
};

class ZAVViewKeyboard : public ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    m_view.resize(800, 600);
    m_view.show();
    m_view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_view));
    ASSERT_TRUE(WaitForLoad(m_view.Page(), [&] {
      m_view.ShowPage(kPicturePage, std::make_unique<PopupAction>(m_calls, m_points, m_view));
    }));
    m_view.setFocus();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::focusWidget() != nullptr; }));
  }

  QString Focused() {
    return RunJs(m_view.Page(), "document.activeElement ? document.activeElement.id : ''").toString();
  }

  // Tab until the element has the focus; false when it never gets it.
  bool TabTo(const QString& id) {
    for (int i = 0; i < 6; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      if (WaitUntil([&] { return Focused() == id; }, 500)) return true;
    }
    return false;
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  bool WaitForCall(size_t count) {
    return WaitUntil([&] { return m_calls.size() >= count; });
  }

  std::vector<QPoint> m_points;
};

}  // namespace

TEST_F(ZAVViewKeyboard, TabReachesAPictureAndEnterDoesWhatItsClickDoes) {
  ASSERT_TRUE(TabTo("thumb"));
  Key(Qt::Key_Return);
  EXPECT_TRUE(WaitUntil(
      [&] { return RunJs(m_view.Page(), "document.getElementById('thumb').className").toString() == "enlarged"; }));
  ASSERT_TRUE(TabTo("qorattr:Red"));
  Key(Qt::Key_Return);
  ASSERT_TRUE(WaitForCall(1));
  EXPECT_EQ(m_calls.back().address, "qorattr:Red");
}

TEST_F(ZAVViewKeyboard, EnterAndTheMenuKeysOnAnItemLinkOpenItsPopupAtTheLink) {
  ASSERT_TRUE(TabTo("item"));
  const QPoint link = m_view.WebView()->mapToGlobal(ElementCentre(m_view.Page(), ById("item")));
  QCursor::setPos(link + QPoint(300, 300));
  Key(Qt::Key_Return);
  ASSERT_TRUE(WaitForCall(1));
  Key(Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_TRUE(WaitForCall(2));
  Key(Qt::Key_Menu);
  ASSERT_TRUE(WaitForCall(3));
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(m_calls[i].address, "http:\\\\item%205end");
    EXPECT_LE((m_points[i] - link).manhattanLength(), 20) << i;
  }
}
