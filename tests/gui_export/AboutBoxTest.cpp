// Help → About as a user opens it: the program's name, version and build
// line, and the contact box whose links go to the desktop's link opener.
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include "ExportTestSupport.h"
#include "database/CommandIds.h"
#include "shell/AboutTexts.h"

namespace {

using namespace export_test;

class AboutBoxTest : public ProgramWithUserFolder {};

// A click on the middle of the label's text.
void ClickText(QLabel* label) {
  ASSERT_NE(label, nullptr);
  const QSize text = label->fontMetrics().size(0, "mmmm");
  QTest::mouseClick(label, Qt::LeftButton, {},
                    QPoint(label->contentsRect().left() + text.width() / 2, label->height() / 2));
}

TEST_F(AboutBoxTest, AboutNamesTheProgramAndItsBuildAndTheContactLinksOpenOnTheDesktop) {
  CMainFrame& main = StartOn(Database("garden.qor", "Garden"));
  ModalDriver driver;
  driver.On("aboutDialog", [&](QDialog& about) {
    EXPECT_EQ(Find<QLabel>(about, "programTitle")->text(), "QOR");
    // The program's icon, drawn from its picture.
    EXPECT_FALSE(Find<QLabel>(about, "programIcon")->pixmap().isNull());
    EXPECT_EQ(Find<QLabel>(about, "versionLine")->text(), "Version: 7.0");
    EXPECT_TRUE(QRegularExpression("^Build: [A-Z][a-z]{2} \\d{1,2} \\d{4} \\d\\d:\\d\\d:\\d\\d$")
                    .match(Find<QLabel>(about, "buildLine")->text())
                    .hasMatch())
        << Find<QLabel>(about, "buildLine")->text().toStdString();
    Click(Find<QPushButton>(about, "contactButton"));
    EXPECT_TRUE(about.isVisible());
    Click(Find<QPushButton>(about, "okButton"));
  });
  driver.On("contactDialog", [&](QDialog& contact) {
    ClickText(Find<QLabel>(contact, "web"));
    ClickText(Find<QLabel>(contact, "mail"));
    Click(Find<QPushButton>(contact, "okButton"));
  });
  ASSERT_TRUE(ChooseMenuEntry(main, Qt::Key_H, cmd::kAppAbout));
  EXPECT_EQ(driver.Runs("aboutDialog"), 1);
  EXPECT_EQ(driver.Runs("contactDialog"), 1);
  EXPECT_EQ(m_ui.opened, (std::vector<std::string>{kWebAddress, std::string("mailto:") + kMailAddress}));
}

TEST(AboutTexts, TheBuildLineHasSingleBlanksAndOnlyLinksOpenSomething) {
  EXPECT_EQ(BuildLine("Feb  7 2010", "11:45:46"), "Build: Feb 7 2010 11:45:46");
  EXPECT_EQ(BuildLine("Dec 19 2026", "09:05:01"), "Build: Dec 19 2026 09:05:01");
  EXPECT_EQ(ContactLinkTarget("mail"), std::string("mailto:") + kMailAddress);
  EXPECT_EQ(ContactLinkTarget("phone"), "");
}

}  // namespace
