// What every hosted page receives: the external object and the shims the
// generated pages expect of the old browser.
#include <gtest/gtest.h>

#include "reports/qt/CustomControlSite.h"
#include "reports/qt/Idispimp.h"
#include "ViewTestSupport.h"

using namespace viewtest;

namespace {

TEST(ImpIDispatch, NamesBeginningWithTwoXsMatch) {
  EXPECT_EQ(CImpIDispatch::GetIDsOfNames("xxyyzz"), CImpIDispatch::kDispatchId);
  EXPECT_EQ(CImpIDispatch::GetIDsOfNames("xxanything"), CImpIDispatch::kDispatchId);
  EXPECT_EQ(CImpIDispatch::GetIDsOfNames("xx"), CImpIDispatch::kDispatchId);
  EXPECT_EQ(CImpIDispatch::GetIDsOfNames("x"), CImpIDispatch::kUnknownName);
  EXPECT_EQ(CImpIDispatch::GetIDsOfNames("xyyzz"), CImpIDispatch::kUnknownName);
  EXPECT_EQ(CImpIDispatch::GetIDsOfNames("XXyyzz"), CImpIDispatch::kUnknownName);
}

TEST(ImpIDispatch, OnlyTheKnownIdAnswers) {
  EXPECT_EQ(CImpIDispatch::Invoke(12345).value_or(""), "Wibble");
  EXPECT_FALSE(CImpIDispatch::Invoke(-1).has_value());
  EXPECT_FALSE(CImpIDispatch::Invoke(0).has_value());
  EXPECT_EQ(&CImpIDispatch::Application(), &CImpIDispatch::Application());
}

class HostedPage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WaitForLoad(*m_site.page(), [&] {
      m_site.setHtml("<html><body><div id='d' style='position:absolute'>d</div></body></html>");
    }));
  }
  QVariant Js(const QString& script) { return RunJs(*m_site.page(), script); }

  CCustomControlSite m_site;
};

TEST_F(HostedPage, ExternalObjectAnswersWibble) {
  ASSERT_TRUE(WaitUntil([&] { return Js("window.external.xxyyzz").toString() == "Wibble"; }, 5000));
  EXPECT_EQ(Js("window.external.xxother").toString(), "Wibble");
  EXPECT_EQ(Js("typeof window.external.abc").toString(), "undefined");
}

TEST_F(HostedPage, PixelTopSetsAndReadsPixels) {
  EXPECT_EQ(Js("var s = document.getElementById('d').style; s.pixelTop = 12.4; s.top").toString(), "12px");
  EXPECT_EQ(Js("document.getElementById('d').style.pixelTop").toInt(), 12);
}

TEST_F(HostedPage, AlphaFilterOpacityIsInPercent) {
  EXPECT_EQ(Js("var e = document.getElementById('d'); e.filters.alpha.opacity = 45; e.style.opacity").toString(),
            "0.45");
  EXPECT_EQ(Js("document.getElementById('d').filters.alpha.opacity").toInt(), 45);
}

TEST_F(HostedPage, WindowStatusKeepsItsValue) {
  EXPECT_EQ(Js("window.status = 'abc'; window.status").toString(), "abc");
}

}  // namespace
