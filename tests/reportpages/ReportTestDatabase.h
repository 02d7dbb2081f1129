// A small hand-made database for the report page tests, with a recording
// HTML view. Four birds, three menus of attributes (one of them below a
// menu of menus), one reference, one picture file:
//
//   menu 0 "Birds" (menus): 1 "Colour", 3 "Body"
//   menu 1 "Colour" (attributes, difficulty 1): 0 "Red", 1 "Blue"
//   menu 2 "Shape"  (attributes, difficulty 2, under 3): 2 "Round", 3 "Long"
//   menu 3 "Body"   (menus): 2 "Shape", 4 "Legs"
//   menu 4 "Legs"   (attributes, difficulty 3, under 3): 4 "Two", 5 "Four"
//
//   item     genus species    family   attributes
//   Robin    Erithacus rubecula Muscicapidae  Red Round Two   (picture robin.jpg, page "p. 12")
//   Jay      Garrulus glandarius Corvidae     Blue Round Two
//   Magpie   Pica pica          Corvidae      Blue Long Four
//   Crow     Corvus corone      Corvidae      Red Blue Four   (no shape data)
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"
#include "fakes/ScriptedUi.h"
#include "platform/DocumentViews.h"
#include "platform/Profile.h"
#include "platform/ReportFactory.h"
#include "reports/Action.h"
#include "reports/PageBuffer.h"
#include "reports/ReportOptions.h"
#include "reports/ReportPages.h"

namespace reportpages_test {

// Keeps every page shown, with the kind of action that came with it.
class RecordingView : public IHtmlView {
 public:
  void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) override {
    pages.push_back(html);
    action_ = std::move(action);
  }
  const std::string& last() const { return pages.back(); }
  ReportAction* action() const { return action_.get(); }

  std::vector<std::string> pages;

 private:
  std::unique_ptr<ReportAction> action_;
};

inline constexpr int kRed = 0, kBlue = 1, kRound = 2, kLong = 3, kTwo = 4, kFour = 5;
inline constexpr int kColour = 1, kShape = 2, kBody = 3, kLegs = 4;

inline void AddMenu(CZAVDoc& doc, BYTE kind, BYTE difficulty, WORD parent, const std::string& title,
                    std::vector<WORD> children) {
  auto menu = std::make_unique<CQMenudata>();
  menu->kind = kind;
  menu->difficulty = difficulty;
  menu->parent = parent;
  menu->title = title;
  menu->helpText = "About " + title;
  menu->children = std::move(children);
  doc.m_menus.push_back(std::move(menu));
}

inline void AddAttribute(CZAVDoc& doc, int index, WORD menu, const std::string& name) {
  auto attribute = std::make_unique<CQAttdata>();
  attribute->menuIndex = menu;
  attribute->name = name;
  attribute->helpText = name + " help";
  doc.SetAttributeAt(index, std::move(attribute));
}

// The item's index by its common name.
inline int ItemNamed(const CZAVDoc& doc, const std::string& common) {
  for (const auto& entry : doc.m_itemNames)
    if (entry->name == common) return entry->itemIndex;
  return -1;
}

inline void GiveAttributes(CZAVDoc& doc, int item, std::initializer_list<int> attributes) {
  DWORD* row = doc.GetItemAttributeBits(item);
  for (int a : attributes) SetBit(row, static_cast<WORD>(a));
}

// Replaces the item's attributes.
inline void SetRow(CZAVDoc& doc, int item, std::initializer_list<int> attributes) {
  DWORD* row = doc.GetItemAttributeBits(item);
  for (int a = 0; a < doc.AttributeCount(); ++a) ClearBit(row, static_cast<WORD>(a));
  GiveAttributes(doc, item, attributes);
}

// The document and its folder; the picture file of the Robin exists.
class ReportPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("qor_reportpages_" + std::to_string(::getpid()) + "_" +
                                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "robin.jpg") << "jpeg";
    platform::SetUserProfile(&profile);
    InstallReportPageFactory();  // as the program does at start
    ItemOptions::Shared() = ItemOptions{};
    ItemListOptions::Shared() = ItemListOptions{};
    MenuListOptions::Shared() = MenuListOptions{};
    GalleryOptions::Shared() = GalleryOptions{};
    Build();
  }
  void TearDown() override {
    doc.reset();
    SetReportFactory(nullptr);
    platform::SetUserProfile(nullptr);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }

  void Build() {
    doc = std::make_unique<CZAVDoc>();
    doc->m_pathName = (folder / "birds.qor").string();
    doc->m_header.commonNamesEnabled = 1;
    doc->m_header.scientificNamesEnabled = 1;
    doc->m_orderChoice = 1;  // common-name order: Crow, Jay, Magpie, Robin
    doc->m_itemListOptions = ItemListOptions::Shared().DocumentCopy();
    doc->m_itemListOptions[kListItemOrder] = 1;
    doc->m_itemListOptions[kListThumbnail] = 0;
    AddMenu(*doc, MENU_OF_MENUS, 1, kNoIndex16, "Birds", {kColour, kBody});
    AddMenu(*doc, MENU_OF_ATTRIBUTES, 1, 0, "Colour", {kRed, kBlue});
    AddMenu(*doc, MENU_OF_ATTRIBUTES, 2, kBody, "Shape", {kRound, kLong});
    AddMenu(*doc, MENU_OF_MENUS, 1, 0, "Body", {kShape, kLegs});
    AddMenu(*doc, MENU_OF_ATTRIBUTES, 3, kBody, "Legs", {kTwo, kFour});
    const char* names[] = {"Red", "Blue", "Round", "Long", "Two", "Four"};
    const WORD menus[] = {kColour, kColour, kShape, kShape, kLegs, kLegs};
    for (int a = 0; a < 6; ++a) AddAttribute(*doc, a, menus[a], names[a]);
    doc->m_referenceTitles.push_back("Field Guide");
    doc->AddItem("robin.jpg", "rubecula", "Robin", "Erithacus", "Muscicapidae",
                 "A small bird.@Linkswiki@$http://x\r\n");
    doc->AddItem("", "glandarius", "Jay", "Garrulus", "Corvidae", "Noisy.");
    doc->AddItem("", "pica", "Magpie", "Pica", "Corvidae", "Black & white.");
    doc->AddItem("", "corone", "Crow", "Corvus", "Corvidae", "All black.");
    robin = ItemNamed(*doc, "Robin");
    jay = ItemNamed(*doc, "Jay");
    magpie = ItemNamed(*doc, "Magpie");
    crow = ItemNamed(*doc, "Crow");
    doc->GetItem(robin).referencePages.assign(1, "p. 12");
    GiveAttributes(*doc, robin, {kRed, kRound, kTwo});
    GiveAttributes(*doc, jay, {kBlue, kRound, kTwo});
    GiveAttributes(*doc, magpie, {kBlue, kLong, kFour});
    GiveAttributes(*doc, crow, {kRed, kBlue, kFour});
    doc->AttachViews(&view, nullptr, nullptr);
    Evaluate();
  }

  // Re-runs the elimination and the candidate counts, as after a mark.
  void Evaluate() {
    doc->ResetItemStates(true);
    doc->UpdateRemainingItems();
    doc->UpdateAttributeCounts();
  }

  void Mark(int attribute, BYTE mark) {
    doc->SetAttributeMark(attribute, mark);
    Evaluate();
  }

  // Adds plain items "Extra 01" ... so that the lists page.
  void AddExtraItems(int count, const std::string& pictures = "") {
    for (int i = 1; i <= count; ++i) {
      const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
      doc->AddItem(pictures, "sp" + n, "Extra " + n, "Extra", "Extras", "Extra item.");
    }
    Evaluate();
  }

  static const std::string& Page() { return ReportPageBuffer(); }

  ScriptedUi ui;
  platform::MemoryProfile profile;
  RecordingView view;
  std::filesystem::path folder;
  std::unique_ptr<CZAVDoc> doc;
  int robin = -1, jay = -1, magpie = -1, crow = -1;
};

// Occurrences of needle in text.
inline int Count(const std::string& text, const std::string& needle) {
  int n = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size())) ++n;
  return n;
}

// Position of needle, npos-safe for ordering checks.
inline std::size_t At(const std::string& text, const std::string& needle) { return text.find(needle); }

}  // namespace reportpages_test
