// The element tree an exporter receives, call by call.
#include <gtest/gtest.h>

#include "editors/ExportTree.h"
#include "engine/EngineFixtures.h"
#include "export/RecordingExporter.h"

using Calls = std::vector<std::string>;

namespace {

// Root > Colour (red, green), Plant > Leaf (hairy); Apple and Bean, with
// two reference titles.
struct FruitKey {
  int red, green, hairy;
  std::unique_ptr<CZAVDoc> doc;

  FruitKey() {
    DocBuilder b;
    b.doc().m_header.scientificNamesEnabled = 1;
    b.doc().m_header.title = "Fruit";
    b.doc().m_header.dbVersion = "1.0";
    b.doc().m_header.description = "Fruit key";
    b.doc().m_header.menuVersion = "2";
    b.AddMenu("Root", -1, MENU_OF_MENUS);
    const int colour = b.AddMenu("Colour", 0);
    const int plant = b.AddMenu("Plant", 0, MENU_OF_MENUS);
    const int leaf = b.AddMenu("Leaf", plant);
    red = b.AddAttribute(colour, "red");
    green = b.AddAttribute(colour, "green");
    hairy = b.AddAttribute(leaf, "hairy");
    b.AddItem("Apple", "Malus", "domestica", "Rosaceae", {hairy, red});
    b.AddItem("Bean", "Phaseolus", "vulgaris", "Fabaceae", {green});
    doc = b.Build();
    doc->m_referenceTitles = {"Flora", "Fauna"};
    doc->GetItem(0).referencePages = {"", "p. 5"};
    doc->GetItem(0).description = "Sweet";
    doc->GetItem(0).pictures = "apple.jpg";
  }
};

struct Walk {
  RecordingExporter exporter;
  std::vector<std::pair<int, int>> steps;
  int cancelAtStep = -1;
  ExportTreeResult result;

  Walk(const CZAVDoc& doc, const ExportSelection& selection = {}) { Run(doc, selection); }
  Walk() = default;
  void Run(const CZAVDoc& doc, const ExportSelection& selection = {}) {
    result = BuildExportTree(doc, exporter, selection, [this](int done, int total) {
      steps.emplace_back(done, total);
      return done != cancelAtStep;
    });
  }
  // The ITEM elements sent, by index.
  Calls Items() const {
    Calls items;
    for (const auto& call : exporter.calls)
      if (call.rfind("begin ITEM ", 0) == 0) items.push_back(call.substr(11));
    return items;
  }
};

}  // namespace

TEST(ExportTree, SendsTheWholeDatabaseInItsFixedOrder) {
  FruitKey key;
  key.doc->SetItemState(1, STATE_ELIMINATED);
  Walk walk(*key.doc, ExportSelection::FromTreeNodes(9, key.green, 10, 1));
  ASSERT_EQ(walk.result.status, ExportTreeResult::Status::Completed);
  const Calls expected{
      "begin QOR -1",
      "begin DESCRIPTION -1",
      "add DBTITLE=Fruit -1",
      "add DBVERSION=1.0 -1",
      "add DBDESCRIPTION=Fruit key -1",
      "add COMMONNAMES=Yes -1",
      "add SCIENCENAMES=Yes -1",
      "add DBDESCRIPTION=2 -1",
      "add CURRENTATTRIBUTE=set 1",
      "add CURRENTATTRIBUTEMENU=set 1",
      "end DESCRIPTION",
      "begin MENUPART -1",
      "begin MENU 0",
      "add PARENT=65535 65535",
      "add NAME=Root 0",
      "add LONGMENUNAME= -1",
      "end MENU",
      "begin MENU 1",
      "add PARENT=0 0",
      "add NAME=Colour 1",
      "add LONGMENUNAME=Colour -1",
      "begin ATTRIBUTE 0",
      "add ATTRIBUTENAME=red 0",
      "add LONGATTRIBUTENAME=Colour / red 0",
      "end ATTRIBUTE",
      "begin ATTRIBUTE 1",
      "add ATTRIBUTENAME=green 1",
      "add LONGATTRIBUTENAME=Colour / green 1",
      "end ATTRIBUTE",
      "end MENU",
      "begin MENU 2",
      "add PARENT=0 0",
      "add NAME=Plant 2",
      "add LONGMENUNAME=Plant -1",
      "end MENU",
      "begin MENU 3",
      "add PARENT=2 2",
      "add NAME=Leaf 3",
      "add LONGMENUNAME=Plant / Leaf -1",
      "begin ATTRIBUTE 2",
      "add ATTRIBUTENAME=hairy 2",
      "add LONGATTRIBUTENAME=Plant / Leaf / hairy 2",
      "end ATTRIBUTE",
      "end MENU",
      "end MENUPART",
      "begin REFERENCES -1",
      "add REF=Flora 0",
      "add REF=Fauna 1",
      "end REFERENCES",
      "begin ITEMS -1",
      "begin ITEM 0",
      "add NAME=domestica -1",
      "add ITEMNAME=Apple -1",
      "add GENUS=Malus -1",
      "add SPECIES=domestica -1",
      "add FAMILY=Rosaceae -1",
      "add LONGNAME=Malus domestica / Rosaceae / Apple -1",
      "add DESCRIPTION=Sweet -1",
      "add ITEMIMAGE=apple.jpg -1",
      "begin REFS -1",
      "add REF=p. 5 1",  // the empty page of reference 0 is left out
      "end REFS",
      "begin ATTS -1",
      "add ATT=1 0",  // menu by menu: red in Colour before hairy in Leaf
      "add ATT=3 2",
      "end ATTS",
      "end ITEM",
      "end ITEMS",
      "end QOR",
  };
  EXPECT_EQ(walk.exporter.calls, expected);
  // One step per menu, per attribute and per name entry.
  ASSERT_EQ(CountExportSteps(*key.doc), 9);
  ASSERT_EQ(walk.steps.size(), 9u);
  EXPECT_EQ(walk.steps.front(), std::make_pair(1, 9));
  EXPECT_EQ(walk.steps.back(), std::make_pair(9, 9));
}

TEST(ExportTree, ARootMenuOfAttributesIsTheOnlyMenuAndCarriesIndexZero) {
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_ATTRIBUTES);
  const int tall = b.AddAttribute(0, "tall");
  b.AddItem("Elm", {}, {}, {}, {tall});
  auto doc = b.Build();
  // An attribute right below a root of attributes: its parent node is no attribute-menu node.
  Walk walk(*doc, ExportSelection::FromTreeNodes(9, tall, 11, 0));
  EXPECT_EQ(walk.exporter.Between("add CURRENTATTRIBUTE=set 0", "add CURRENTATTRIBUTEMENU=unknown 0").size(), 2u);
  EXPECT_EQ(
      walk.exporter.Between("begin MENUPART -1", "end MENUPART"),
      (Calls{"begin MENUPART -1", "begin MENU 0", "add PARENT=65535 0", "add NAME=Root 0", "begin ATTRIBUTE 0",
             "add ATTRIBUTENAME=tall 0", "add LONGATTRIBUTENAME=tall 0", "end ATTRIBUTE", "end MENU", "end MENUPART"}));
  EXPECT_EQ(walk.exporter.Between("begin ATTS -1", "end ATTS"), (Calls{"begin ATTS -1", "add ATT=0 0", "end ATTS"}));
  EXPECT_EQ(walk.steps.size(), 3u);  // the root, its attribute, one name entry
}

TEST(ExportTree, TheCurrentSelectionFollowsTheTreeNodeKinds) {
  FruitKey key;
  Walk none(*key.doc);
  EXPECT_EQ(none.exporter.Between("add CURRENTATTRIBUTE=unknown 0", "add CURRENTATTRIBUTEMENU=unknown 0").size(), 2u);
  Walk menu(*key.doc, ExportSelection::FromTreeNodes(10, 3, 5, 2));
  EXPECT_EQ(menu.exporter.Between("add CURRENTATTRIBUTE=unknown 0", "add CURRENTATTRIBUTEMENU=set 3").size(), 2u);
  const ExportSelection menuOfMenus = ExportSelection::FromTreeNodes(5, 2, 1, 0);
  EXPECT_EQ(menuOfMenus.attribute, -1);
  EXPECT_EQ(menuOfMenus.attributeMenu, -1);
}

TEST(ExportTree, EveryRemainingItemIsSentAndNoOther) {
  DocBuilder b;  // common names only
  b.AddMenu("Root", -1, MENU_OF_MENUS);
  const char* names[] = {"Eliminated", "Remaining", "Excluded", "Missing data", "Selected", "Selected out"};
  for (const char* name : names) b.AddItem(name, {}, {}, {}, {});
  auto doc = b.Build();
  for (int state = 0; state < 6; ++state) doc->SetItemState(state, static_cast<BYTE>(state));
  Walk walk(*doc);
  EXPECT_EQ(walk.Items(), (Calls{"1", "3", "4"}));
  // In common-name order the entry is the common name; items without genus,
  // species or family send none of them.
  EXPECT_EQ(walk.exporter.Between("begin ITEM 1", "add LONGNAME=Remaining -1"),
            (Calls{"begin ITEM 1", "add NAME=Remaining -1", "add ITEMNAME=Remaining -1", "add LONGNAME=Remaining -1"}));
}

TEST(ExportTree, AfterMarksThatEliminateEveryItemTheItemsElementIsEmpty) {
  FruitKey key;
  for (int i = 0; i < key.doc->ItemCount(); ++i) key.doc->SetItemState(i, STATE_ELIMINATED);
  Walk walk(*key.doc);
  EXPECT_EQ(walk.exporter.Between("begin ITEMS -1", "end ITEMS"), (Calls{"begin ITEMS -1", "end ITEMS"}));
  EXPECT_EQ(walk.steps.size(), 9u);  // every name entry still counts
}

TEST(ExportTree, AFailingCallStopsTheWalkWithTheExportersText) {
  FruitKey key;
  Walk walk;
  walk.exporter.failAtCall = 19;  // "add NAME=Colour 1"
  walk.Run(*key.doc);
  EXPECT_EQ(walk.result.status, ExportTreeResult::Status::Failed);
  EXPECT_EQ(walk.result.error, "Disk full");
  ASSERT_EQ(walk.exporter.calls.size(), 20u);
  EXPECT_EQ(walk.exporter.calls.back(), "add NAME=Colour 1");  // nothing more, nothing closed
}

TEST(ExportTree, CancelInTheProgressStopsAtOnce) {
  FruitKey key;
  Walk walk;
  walk.cancelAtStep = 2;
  walk.Run(*key.doc);
  EXPECT_EQ(walk.result.status, ExportTreeResult::Status::Cancelled);
  EXPECT_EQ(walk.exporter.calls.back(), "end MENU");  // menu 0 was sent, menu 1 never begun
  EXPECT_EQ(walk.steps.size(), 2u);
}

TEST(ExportTree, AnEmptyMenuTitleStillTakesItsPlaceInTheLongNames) {
  // Root > "" (att0), "" > Y (y1), A > "" > X (deep)
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_MENUS);
  const int untitled = b.AddMenu("", 0);
  const int untitledOfMenus = b.AddMenu("", 0, MENU_OF_MENUS);
  const int y = b.AddMenu("Y", untitledOfMenus);
  const int a = b.AddMenu("A", 0, MENU_OF_MENUS);
  const int x = b.AddMenu("X", b.AddMenu("", a, MENU_OF_MENUS));
  b.AddAttribute(untitled, "att0");
  b.AddAttribute(y, "y1");
  b.AddAttribute(x, "deep");
  b.AddItem("Elm", {}, {}, {}, {});
  auto doc = b.Build();
  Walk walk(*doc);
  Calls longNames;
  for (const std::string& call : walk.exporter.calls)
    if (call.find("add LONGMENUNAME") == 0 || call.find("add LONGATTRIBUTENAME") == 0) longNames.push_back(call);
  EXPECT_EQ(longNames, (Calls{"add LONGMENUNAME= -1", "add LONGMENUNAME= -1", "add LONGATTRIBUTENAME= / att0 0",
                              "add LONGMENUNAME= -1", "add LONGMENUNAME= / Y -1", "add LONGATTRIBUTENAME= / Y / y1 1",
                              "add LONGMENUNAME=A -1", "add LONGMENUNAME=A /  -1", "add LONGMENUNAME=A /  / X -1",
                              "add LONGATTRIBUTENAME=A /  / X / deep 2"}));
}
