// Every report page closes the elements it opens: a page left with an open
// element makes the browser guess where it ends, and whatever the program
// appends to the page later (a link, a moving part) lands inside it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ReportTestDatabase.h"
#include "TagBalance.h"
#include "database/ImageRegion.h"
#include "database/ZAVDoc.h"

namespace reportpages_test {
namespace {

TEST(TagBalance, FindsWhatAPageLeavesOpen) {
  EXPECT_EQ(TagBalanceProblem("<html><head><script>if (a < b && c > d) x = '</div>';</script></head>"
                              "<body><DIV class='a>b'><br><img src=x><link href=y/><!-- <p> --></div></body></html>"),
            "");
  EXPECT_EQ(TagBalanceProblem("<body><div class='param'><div>x</div></body>"),
            "</body> at 37 closes <div> opened at 6");
  EXPECT_EQ(TagBalanceProblem("<div><span>x</div>"), "</div> at 12 closes <span> opened at 5");
  EXPECT_EQ(TagBalanceProblem("<div>x"), "<div> opened at 0 never closed");
  EXPECT_EQ(TagBalanceProblem("x</p>"), "</p> at 1 closes nothing");
}

// The picture of a menu names its image map as the map names itself, whatever
// characters the menu's title holds; else the browser finds no map and no
// region can be clicked.
class RegionMapNameTest : public ReportPagesTest {};

std::string AttributeValue(const std::string& page, const std::string& attribute) {
  const std::size_t at = page.find(attribute + "=\"");
  if (at == std::string::npos) return "(none)";
  const std::size_t start = at + attribute.size() + 2;
  return page.substr(start, page.find('"', start) - start);
}

// An attribute value as the browser reads it: the entities of "&" "<" ">" and quotes undone.
std::string DecodeEntities(std::string text) {
  const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"},  {"&gt;", ">"},   {"&quot;", "\""},
                                                          {"&#39;", "'"}, {"&#34;", "\""}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities)
    for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
      text.replace(at, std::string(entity).size(), plain);
  return text;
}

TEST_F(RegionMapNameTest, ThePictureNamesTheMapItHas) {
  std::ofstream(folder / "legs.jpg") << "jpeg";
  RegionSet regions;
  regions.rectangles.push_back({0, 0, 10, 10});
  regions.rectangleIds.push_back("Two");
  ASSERT_TRUE(WriteRegions((folder / "legs.jpg.regions").string(), regions));
  doc->GetMenu(kLegs).pictures = "legs.jpg";
  for (const std::string title : {"Legs", "Size & shape", "Legs <front> \"hind\"", "a&amp;b"}) {
    doc->GetMenu(kLegs).title = title;
    RunReportPage(*doc, kReportRegions, kLegs, kFirstPage);
    const std::string page = view.last();
    const std::string usemap = DecodeEntities(AttributeValue(page, "USEMAP"));
    const std::string name = DecodeEntities(AttributeValue(page, "MAP NAME"));
    EXPECT_EQ(usemap, "#" + name) << title;
    EXPECT_EQ(name, ImageMapName(title));
    EXPECT_EQ(TagBalanceProblem(page), "") << title;
  }
}

class BalancedPagesTest : public ReportPagesTest {
 protected:
  void ExpectBalanced(int kind, int argument, int keepPage, const std::string& what) {
    const std::size_t before = view.pages.size();
    RunReportPage(*doc, kind, argument, keepPage);
    ASSERT_GT(view.pages.size(), before) << what;
    EXPECT_EQ(TagBalanceProblem(view.last()), "") << what;
  }
};

// A gallery that reaches its picture limit inside an item, with names and without.
TEST_F(BalancedPagesTest, GalleryStoppedAtItsPictureLimit) {
  std::string pictures;
  for (int k = 1; k <= 20; ++k) pictures += "p" + std::to_string(k) + ".jpg;";
  doc->GetItem(crow).pictures = pictures;
  for (int names : {1, 0}) {
    GalleryOptions::Shared().showNames = names;
    const std::string with = names ? "with names" : "without names";
    ExpectBalanced(kReportGallery, -1, kFirstPage, "first gallery page " + with);
    ASSERT_NE(view.last().find("More ..."), std::string::npos);
    ExpectBalanced(kReportGallery, -1, kNextPage, "next gallery page " + with);
  }
}

#ifdef QOR_SAMPLE_FOLDER
// Every page the program makes on the sample key, with every option that
// adds a part to a page switched on.
class SampleKeyPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("qor_balanced_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::copy(QOR_SAMPLE_FOLDER, folder, std::filesystem::copy_options::recursive);
    platform::SetUserProfile(&profile);
    InstallReportPageFactory();
    ItemOptions::Shared() = ItemOptions{};
    ItemOptions& item = ItemOptions::Shared();
    item.data = item.dataAll = item.dataMenus = item.file = item.reference = item.referenceAll = 1;
    ItemListOptions::Shared() = ItemListOptions{};
    ItemListOptions& list = ItemListOptions::Shared();
    list.file = list.reference = list.all = 1;
    MenuListOptions::Shared() = MenuListOptions{};
    MenuListOptions::Shared().file = 1;
    GalleryOptions::Shared() = GalleryOptions{};
    GalleryOptions::Shared().picturesMax = 2;
    ASSERT_TRUE(doc.OnOpenDocument((folder / "birds.qor").string())) << ::testing::PrintToString(ui.Messages());
    doc.AttachViews(&view, nullptr, nullptr);
  }
  void TearDown() override {
    doc.AttachViews(nullptr, nullptr, nullptr);
    SetReportFactory(nullptr);
    platform::SetUserProfile(nullptr);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }

  void ExpectBalanced(int kind, int argument, int keepPage = kFirstPage) {
    const std::size_t before = view.pages.size();
    RunReportPage(doc, kind, argument, keepPage);
    const std::string what = "kind " + std::to_string(kind) + " on " + std::to_string(argument);
    ASSERT_GT(view.pages.size(), before) << what;
    EXPECT_EQ(TagBalanceProblem(view.last()), "") << what;
  }

  void EveryPage() {
    for (int kind : {kReportMenus, kReportReferences, kReportItemList, kReportGallery, kReportAnalysis, kReportCommon,
                     kReportEliminated}) {
      ExpectBalanced(kind, -1);
      if (kind == kReportItemList || kind == kReportGallery) ExpectBalanced(kind, -1, kNextPage);
    }
    for (int item = 0; item < doc.ItemCount(); ++item) {
      ExpectBalanced(kReportItemDescription, item);
      ExpectBalanced(kReportDistinctive, item);
    }
    for (int menu = 0; menu < doc.MenuCount(); ++menu) {
      ExpectBalanced(kReportMenuItem, menu);
      ExpectBalanced(kReportRegions, menu);
    }
    for (int attribute = 0; attribute < doc.AttributeCount(); ++attribute) ExpectBalanced(kReportAttribute, attribute);
    for (int reference = 0; reference < static_cast<int>(doc.m_referenceTitles.size()); ++reference)
      ExpectBalanced(kReportReferenceItem, reference);
  }

  ScriptedUi ui;
  platform::MemoryProfile profile;
  RecordingView view;
  std::filesystem::path folder;
  CZAVDoc doc;
};

TEST_F(SampleKeyPagesTest, EveryPageClosesWhatItOpens) {
  EveryPage();
  GalleryOptions::Shared().showNames = 1;
  ExpectBalanced(kReportGallery, -1);
  ExpectBalanced(kReportGallery, -1, kNextPage);
}

// With marks set and an item put aside by the user: the current search lists
// both, and item pages explain eliminations.
TEST_F(SampleKeyPagesTest, EveryPageClosesWhatItOpensDuringASearch) {
  doc.SetAttributeMark(0, MARK_YES);
  doc.SetAttributeMark(doc.AttributeCount() - 1, MARK_NO);
  doc.ResetItemStates(true);
  doc.UpdateRemainingItems();
  doc.UpdateAttributeCounts();
  for (int item = 0; item < doc.ItemCount(); ++item)
    if (doc.IsItemRemaining(item)) {
      ASSERT_TRUE(doc.ToggleItemExcluded(item));
      break;
    }
  EveryPage();
}
#endif

}  // namespace
}  // namespace reportpages_test
