// The database's opening page loads without the link actions; the same
// address in another letter case goes to the current action.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "database/DatabaseFiles.h"
#include "database/ZAVDoc.h"
#include "reports/qt/ReportPage.h"
#include "reports/qt/ZAVView.h"
#include "ViewFixture.h"

using namespace viewtest;

namespace {

class ZAVViewOpeningPage : public ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    m_pagePath = QString::fromStdString(DatabasePagePath(m_doc.m_pathName));
    QFile page(m_pagePath);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><p id='opening'>Welcome</p></body></html>");
    page.close();
    ASSERT_EQ(m_doc.GetOpeningPagePath(), m_pagePath.toStdString());
  }

  // A report page whose link goes to the file by the given name.
  void ShowLinkTo(const QString& path) {
    const QString html = QStringLiteral("<html><body><a id='go' href='%1'>go</a></body></html>")
                             .arg(QUrl::fromLocalFile(path).toString());
    ASSERT_TRUE(WaitForLoad(
        m_view.Page(), [&] { m_view.ShowPage(html.toStdString(), std::make_unique<RecordingAction>(m_calls, true)); }));
  }

  QString m_pagePath;
};

TEST_F(ZAVViewOpeningPage, NavigateToLoadsTheOpeningPage) {
  ASSERT_TRUE(WaitForLoad(m_view.Page(), [&] { m_view.NavigateTo(m_pagePath.toStdString()); }));
  EXPECT_EQ(ReadDom(m_view.Page(), "document.getElementById('opening').textContent").toString(), "Welcome");
  EXPECT_TRUE(m_calls.empty());
}

TEST_F(ZAVViewOpeningPage, LinkToTheOpeningPageLoadsWithoutTheAction) {
  ShowLinkTo(m_pagePath);
  ASSERT_TRUE(WaitForLoad(m_view.Page(), [&] { RunJs(m_view.Page(), "document.getElementById('go').click();"); }));
  EXPECT_EQ(ReadDom(m_view.Page(), "document.getElementById('opening') ? 1 : 0").toInt(), 1);
  EXPECT_TRUE(m_calls.empty());
}

TEST_F(ZAVViewOpeningPage, OtherLetterCaseGoesToTheAction) {
  const QString upper = QFileInfo(m_pagePath).absolutePath() + "/KEY.HTM";
  ShowLinkTo(upper);
  RunJs(m_view.Page(), "document.getElementById('go').click();");
  ASSERT_TRUE(WaitUntil([&] { return !m_calls.empty(); }));
  EXPECT_EQ(QUrl(QString::fromStdString(m_calls[0].address)).toLocalFile(), upper);
}

}  // namespace
