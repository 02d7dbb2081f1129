// Clicks in a real web view reach the current link action with the address
// exactly as the page wrote it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QUrl>

#include "database/ZAVDoc.h"
#include "reports/qt/ReportPage.h"
#include "reports/qt/ZAVView.h"
#include "ViewFixture.h"

using namespace viewtest;

namespace {

const char kLinksPage[] =
    " <html><head></head><body>"
    "<a id='item' href='http:\\\\item%205end'>item</a>"
    "<a id='menu' href='http:\\\\menu2end'>menu</a>"
    "<a id='help' href='qorlink:help//help.htm#Top'>help</a>"
    "<a id='attr' href='qorattr:Red%20wing'><span id='inner'>attr</span></a>"
    "<img src='x.png' width='20' height='20' usemap='#m'><map name='m'>"
    "<area id=\"qorattr:Left%27s\" onclick=\"window.navigate(id)\" shape='rect' coords='0,0,10,10'></map>"
    "<a id='real' href='other.htm'>real</a>"
    "</body></html>";

class ZAVViewLinks : public ViewFixture {
 protected:
  void Show(bool handled = true) {
    ASSERT_TRUE(WaitForLoad(m_view.Page(),
                            [&] { m_view.ShowPage(kLinksPage, std::make_unique<RecordingAction>(m_calls, handled)); }));
  }

  void Click(const char* id, bool shift = false) {
    EXPECT_TRUE(MouseClick(*m_view.WebView(), ById(id), shift ? Qt::ShiftModifier : Qt::NoModifier)) << id;
  }

  std::string ClickAndWait(const char* id, bool shift = false) {
    const size_t before = m_calls.size();
    Click(id, shift);
    if (!WaitUntil([&] { return m_calls.size() > before; })) return "<no call>";
    return m_calls.back().address;
  }
};

TEST_F(ZAVViewLinks, PseudoAddressesArriveAsWritten) {
  Show();
  EXPECT_EQ(ClickAndWait("item"), "http:\\\\item%205end");
  EXPECT_EQ(ClickAndWait("menu"), "http:\\\\menu2end");
}

TEST_F(ZAVViewLinks, PrivateSchemesArriveAsWritten) {
  Show();
  EXPECT_EQ(ClickAndWait("help"), "qorlink:help//help.htm#Top");
  EXPECT_EQ(ClickAndWait("attr"), "qorattr:Red%20wing");
}

TEST_F(ZAVViewLinks, ClickOnElementInsideLinkIsTheLinks) {
  Show();
  EXPECT_EQ(ClickAndWait("inner"), "qorattr:Red%20wing");
}

TEST_F(ZAVViewLinks, ShiftStateTravelsWithTheClick) {
  Show();
  ClickAndWait("attr", true);
  ASSERT_FALSE(m_calls.empty());
  EXPECT_TRUE(m_calls.back().shift);
  ClickAndWait("attr", false);
  EXPECT_FALSE(m_calls.back().shift);
}

TEST_F(ZAVViewLinks, ImageMapNavigateSendsTheRegionId) {
  Show();
  EXPECT_EQ(ClickAndWait("qorattr:Left%27s"), "qorattr:Left%27s");
}

TEST_F(ZAVViewLinks, HandledLinkKeepsThePage) {
  Show();
  ClickAndWait("item");
  EXPECT_EQ(RunJs(m_view.Page(), "document.getElementById('menu') !== null").toBool(), true);
}

TEST_F(ZAVViewLinks, RealLinkNobodyHandlesIsFollowed) {
  QFile other(QDir(m_folder.path()).filePath("other.htm"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("<html><body id='other'>other</body></html>");
  other.close();
  Show(false);
  Click("real");
  // A load that ends first may be the shown page's own late one; what counts
  // is that the view arrives at the linked page.
  EXPECT_TRUE(WaitUntil([&] { return m_view.Page().url().fileName() == "other.htm"; }))
      << m_view.Page().url().toString().toStdString();
  ASSERT_EQ(m_calls.size(), 1u);
  EXPECT_EQ(QUrl(QString::fromStdString(m_calls[0].address)).fileName(), "other.htm");
}

TEST_F(ZAVViewLinks, PseudoAddressNobodyHandlesLeavesThePage) {
  Show(false);
  ClickAndWait("menu");
  QCoreApplication::processEvents();
  EXPECT_EQ(RunJs(m_view.Page(), "document.getElementById('item') !== null").toBool(), true);
}

}  // namespace
