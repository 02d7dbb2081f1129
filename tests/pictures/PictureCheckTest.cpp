// The picture check page: every missing picture name of menus, attributes
// and items, each list split at every ";".
#include <gtest/gtest.h>

#include "database/UtilityFunction.h"
#include "reportpages/ReportTestDatabase.h"
#include "reports/HtmlWriter.h"
#include "reports/PictureImportCommands.h"
#include "reports/Report.h"

namespace reportpages_test {
namespace {

constexpr const char* kNothingMissing =
    "<span class='Courier'>There are no image file names without a matching image file.</span>";

std::string Missing(const std::string& name, const char* end = "") {
  return CReport::VerdanaSpan(" : file '" + name + "' does not exist" + end) + "<br>";
}

class PictureCheckTest : public ReportPagesTest {
 protected:
  const std::string& Check() {
    OnNoMatchingImageFile(*doc);
    return view.last();
  }
};

TEST_F(PictureCheckTest, AllPicturesPresentSaysSoUnderBothTitles) {
  const std::string& page = Check();
  EXPECT_NE(page.find("<h1>Menus items without a matching image file.</h1>"), std::string::npos);
  EXPECT_NE(page.find("<h1>" + doc->GetSpeciesLabel() + " without a matching image file.</h1>"), std::string::npos);
  EXPECT_EQ(Count(page, kNothingMissing), 2);
  EXPECT_EQ(doc->m_reportArgument, -1);
  ASSERT_NE(dynamic_cast<ActionFindMenuAndItem*>(view.action()), nullptr);
  EXPECT_EQ(view.action()->m_kind, kReportMissingPictures);
}

TEST_F(PictureCheckTest, MissingNamesOfMenusAndAttributesEachOnTheirLine) {
  std::ofstream(folder / "colour.jpg") << "x";
  doc->GetMenu(kColour).pictures = "colour.jpg;missing1.jpg";
  doc->GetAttribute(kRed).pictures = "red1.jpg;red2.jpg;";
  doc->GetAttribute(kRound).pictures = "round.jpg";
  const std::string& page = Check();
  EXPECT_NE(page.find("&bull;" + FormatLink("menu", kColour, CReport::VerdanaSpan("Colour")) + Missing("missing1.jpg")),
            std::string::npos);
  EXPECT_EQ(page.find("'colour.jpg'"), std::string::npos);
  const std::string red = FormatLink("att", kRed, CReport::VerdanaSpan("Red"));
  EXPECT_NE(
      page.find("&bull;" + CReport::VerdanaSpan("Colour") + " : " + red + Missing("red1.jpg") + Missing("red2.jpg")),
      std::string::npos);
  EXPECT_EQ(Count(page, red), 1);
  EXPECT_NE(page.find(CReport::VerdanaSpan("Body / Shape") + " : " +
                      FormatLink("att", kRound, CReport::VerdanaSpan("Round")) + Missing("round.jpg")),
            std::string::npos);
  EXPECT_EQ(Count(page, kNothingMissing), 1);
}

TEST_F(PictureCheckTest, ItemsInNameOrderEliminatedOnesIncluded) {
  doc->GetItem(jay).pictures = "robin.jpg;jay.jpg";  // the last name has no ";" after it
  doc->GetItem(magpie).pictures = "magpie.jpg;";
  Mark(kRed, MARK_YES);  // eliminates the Jay and the Magpie
  ASSERT_FALSE(doc->IsItemRemaining(magpie));
  const std::string& page = Check();
  const std::string jayLine =
      FormatLink("item%20", jay, CReport::VerdanaSpan(GetItemDisplayName(*doc, jay))) + Missing("jay.jpg", ".");
  const std::string magpieLine = FormatLink("item%20", magpie, CReport::VerdanaSpan(GetItemDisplayName(*doc, magpie))) +
                                 Missing("magpie.jpg", ".");
  ASSERT_NE(page.find(jayLine), std::string::npos);
  ASSERT_NE(page.find(magpieLine), std::string::npos);
  EXPECT_LT(At(page, jayLine), At(page, magpieLine));
  EXPECT_EQ(page.find("'robin.jpg'"), std::string::npos);
  EXPECT_EQ(Count(page, kNothingMissing), 1);
}

TEST_F(PictureCheckTest, RootMenuOfAttributesSplitsItsListsToo) {
  CQMenudata& root = doc->GetMenu(0);
  root.kind = MENU_OF_ATTRIBUTES;
  root.children = {kRed, kBlue};
  doc->GetAttribute(kBlue).pictures = "robin.jpg;b1.jpg;b2.jpg";
  const std::string& page = Check();
  const std::string blue = FormatLink("att", kBlue, CReport::VerdanaSpan("Blue"));
  EXPECT_NE(page.find("&bull;" + blue + Missing("b1.jpg") + Missing("b2.jpg")), std::string::npos);
  EXPECT_EQ(Count(page, blue), 1);
}

}  // namespace
}  // namespace reportpages_test
