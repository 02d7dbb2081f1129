#include <cstdlib>
#include <filesystem>

#include "database/XmlDump.h"
#include "database/XmlText.h"
#include "fakes/ScriptedUi.h"
#include "items/ItemsTestSupport.h"

namespace {

std::unique_ptr<CQMenudata> Menu(BYTE kind, WORD parent, const std::string& title, std::vector<WORD> children) {
  auto menu = std::make_unique<CQMenudata>();
  menu->kind = kind;
  menu->parent = parent;
  menu->title = title;
  menu->children = std::move(children);
  return menu;
}

// Root (menus) > Colour (attributes Red, unnamed), a freed menu hiding its
// subtree, an attribute under no reachable menu, two items and a cut one.
std::unique_ptr<CZAVDoc> SmallDatabase() {
  auto doc = MakeDocument(true, true);
  doc->m_header.title = "Birds \u2013 M\u00fcller's";
  doc->m_header.dbVersion = "1.0";
  doc->m_header.description = "A \"key\"";
  doc->m_menus.push_back(Menu(MENU_OF_MENUS, kNoIndex16, "Root", {1, 2}));
  doc->m_menus.push_back(Menu(MENU_OF_ATTRIBUTES, 0, "Colour", {0, 1}));
  doc->m_menus.push_back(Menu(MENU_FREE, 0, "", {3}));
  doc->m_menus.push_back(Menu(MENU_OF_ATTRIBUTES, 2, "Hidden", {}));
  doc->m_menus[1]->difficulty = 2;
  doc->m_menus[1]->pictures = "colour.jpg";
  doc->m_menus[1]->helpText = "Pick one";
  const char* names[] = {"Red", "", "Orphan"};
  for (int a = 0; a < 3; ++a) {
    CQAttdata& attribute = doc->GetOrCreateAttribute(a);
    attribute.menuIndex = 1;
    attribute.name = names[a];
  }
  doc->GetAttribute(0).pictures = "red.jpg";
  doc->GetAttribute(0).helpText = "R<d";
  doc->m_referenceTitles = {"Flora & Fauna"};
  const int robin = Add(*doc, "Robin", "Erithacus", "rubecula", "Muscicapidae");
  Add(*doc, "Wren", "Troglodytes", "troglodytes", "Troglodytidae");
  const int jay = Add(*doc, "Jay", "Garrulus", "glandarius", "Corvidae");
  doc->CutItem(jay);
  CQItemrec& item = doc->GetItem(robin);
  item.pictures = "robin.jpg";
  item.description = "Red breast & <b>bold</b>";
  item.referencePages[0] = "p. 12";
  for (WORD bit : {0, 1, 2}) SetBit(doc->GetItemAttributeBits(robin), bit);
  return doc;
}

std::string ExpectedFile(const char* name) {
  const char* folder = std::getenv("QOR_TEST_DATA");
  const std::filesystem::path data =
      folder ? std::filesystem::path(folder) : std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
  return ReadFile((data / name).string());
}

}  // namespace

TEST(XmlDump, SmallDatabaseMatchesTheHandWrittenFile) {
  const std::string expected = ExpectedFile("items-small.qorx");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(SmallDatabase()->WriteXml(), expected);
}

TEST(XmlDump, IsWrittenToTheCurrentFolder) {
  TempFolder temp;
  SmallDatabase()->WriteXmlDump();
  WaitForXmlDump();
  EXPECT_EQ(ReadFile(temp.File("TEST.qorx")), ExpectedFile("items-small.qorx"));
}

// Opening leaves the dump for later, and it is complete once the document
// ends even when nothing asked for it.
TEST(XmlDump, ADeferredDumpOfALoadIsWrittenWhenTheDocumentEnds) {
  TempFolder temp;
  const std::vector<std::uint8_t> bytes = SmallDatabase()->StoreToBytes();
  WaitForXmlDump();
  std::filesystem::remove(temp.File("TEST.qorx"));
  std::string expected;
  {
    CZAVDoc opened;
    opened.DeferXmlDumpOfLoad();
    ASSERT_EQ(opened.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
    WaitForXmlDump();
    EXPECT_FALSE(std::filesystem::exists(temp.File("TEST.qorx")));
    EXPECT_TRUE(opened.HasPendingXmlDump());
    expected = opened.WriteXml();
  }
  WaitForXmlDump();
  EXPECT_EQ(ReadFile(temp.File("TEST.qorx")), expected);
}

// The dump file shows the latest load or save: a load's dump held back
// until later must not put older contents over that of a save made since.
TEST(XmlDump, AHeldDumpOfALoadGivesWayToALaterSave) {
  TempFolder temp;
  const std::vector<std::uint8_t> bytes = SmallDatabase()->StoreToBytes();
  CZAVDoc opened;
  opened.DeferXmlDumpOfLoad();
  ASSERT_EQ(opened.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  auto later = SmallDatabase();
  later->m_header.title = "Saved later";
  ASSERT_TRUE(later->OnSaveDocument(temp.File("later.qor")));
  opened.WritePendingXmlDump();
  WaitForXmlDump();
  EXPECT_EQ(ReadFile(temp.File("TEST.qorx")), later->WriteXml());
}

// A save that fails before anything is stored has no dump of its own; the
// load's dump stays held for its time.
TEST(XmlDump, ASaveThatStoresNothingLeavesTheLoadsDumpHeld) {
  TempFolder temp;
  ScriptedUi ui;
  const std::vector<std::uint8_t> bytes = SmallDatabase()->StoreToBytes();
  CZAVDoc opened;
  opened.DeferXmlDumpOfLoad();
  ASSERT_EQ(opened.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  EXPECT_FALSE(opened.OnSaveDocument(temp.File("no such folder/key.qor")));
  EXPECT_TRUE(opened.HasPendingXmlDump());
}

TEST(XmlDump, EmptyDatabaseKeepsEveryGroup) {
  CZAVDoc doc;
  const std::string xml = doc.WriteXml();
  EXPECT_NE(xml.find("\t<references>\n\t</references>\n"), std::string::npos);
  EXPECT_NE(xml.find("\t<items>\n\t</items>\n</QOR>"), std::string::npos);
  EXPECT_EQ(xml.back(), '>');
}

TEST(XmlDump, ACycleInTheMenuTreeEnds) {
  CZAVDoc doc;
  doc.m_menus.push_back(Menu(MENU_OF_MENUS, kNoIndex16, "Root", {1}));
  doc.m_menus.push_back(Menu(MENU_OF_MENUS, 0, "Loop", {0}));
  EXPECT_NE(doc.WriteXml().find("title=\"Loop\""), std::string::npos);
}

TEST(XmlText, EscapesInOrderAndEncodesAsSingleBytes) {
  EXPECT_EQ(XmlEscape("A&B \"x\" 'y' <z>"), "A&amp;B &quot;x&quot; &apos;y&apos; &lt;z&gt;");
  EXPECT_EQ(Utf8ToLatin1WithReferences("\u00e9\u20ac\U0001F426"), "\xe9&#8364;&#128038;");
  EXPECT_EQ(Utf8ToLatin1WithReferences("a\xff"
                                       "b\xc3"),
            "a?b?");
  EXPECT_EQ(FormatXml("<%s id=\"%d\"/>", {XmlArg(std::string("a<b")), XmlArg(-1)}), "<a&lt;b id=\"-1\"/>");
}
