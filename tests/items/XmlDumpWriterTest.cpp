// The dump as written for speed against a plain writer kept here, and the
// dump thread: the current folder of the call, one dump after the other,
// silent failures.
#include <random>

#include "database/BitMatrix.h"
#include "database/XmlDump.h"
#include "database/XmlText.h"
#include "items/ItemsTestSupport.h"

namespace {

// Writes the dump in the plainest way: every line formatted in turn, every
// attribute's bit tested, the whole text converted at the end.
class PlainDump {
 public:
  explicit PlainDump(const CZAVDoc& doc) : m_doc(doc) {}

  std::string Text() {
    const CQDochdr& h = m_doc.m_header;
    Put("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<QOR version=\"%d\" missing_data=\"%s\">\n",
        {XmlArg(m_doc.m_fileVersion), Flag(m_doc.m_missingData)});
    Put("\t<header common_names_enabled=\"%s\"\n\tscientific_names_enabled=\"%s\"\n\tshow_common_names=\"%s\"\n"
        "\ttitle=\"%s\"\n\tdb_version=\"%s\"\n\tmenu_version=\"%s\">\n\t<description>%s</description>\n\t</header>\n",
        {Flag(h.commonNamesEnabled), Flag(h.scientificNamesEnabled), Flag(h.showCommonNames), XmlArg(h.title),
         XmlArg(h.dbVersion), XmlArg(h.menuVersion), XmlArg(h.description)});
    m_out += "\t<attributes>\n";
    Attributes(0, 0);
    m_out += "\t</attributes>\n\t<menus>\n";
    Menus(0, 0);
    m_out += "\t</menus>\n\t<references>\n";
    for (std::size_t r = 0; r < m_doc.m_referenceTitles.size(); ++r)
      Put("\t\t<reference name=\"%s\" id=\"%d\" />\n", {XmlArg(m_doc.m_referenceTitles[r]), XmlArg(r)});
    m_out += "\t</references>\n\t<item_names>\n";
    Names("\t\t<item_name item_index=\"%d\" name=\"%s\" id=\"%d\" />\n", m_doc.m_itemNames);
    m_out += "\t</item_names>\n\t<species_names>\n";
    Names("\t\t<species_name item_index=\"%d\" name=\"%s\" id=\"%d\" />\n", m_doc.m_speciesNames);
    m_out += "\t</species_names>\n\t<genus_names>\n";
    for (std::size_t g = 0; g < m_doc.m_genusNames.size(); ++g)
      Put("\t\t<genus_name name=\"%s\" id=\"%d\" />\n", {XmlArg(m_doc.m_genusNames[g]), XmlArg(g)});
    m_out += "\t</genus_names>\n\t<family_names>\n";
    for (std::size_t f = 0; f < m_doc.m_familyNames.size(); ++f)
      Put("\t\t<family_name name=\"%s\" id=\"%d\"/>\n", {XmlArg(m_doc.m_familyNames[f]), XmlArg(f)});
    m_out += "\t</family_names>\n\t<items>\n";
    for (int i = 0; i < m_doc.ItemCount(); ++i) Item(i);
    m_out += "\t</items>\n</QOR>";
    return Utf8ToLatin1WithReferences(m_out);
  }

 private:
  static XmlArg Flag(bool on) { return XmlArg::Raw(on ? "true" : "false"); }
  void Put(const char* format, std::initializer_list<XmlArg> args) { m_out += FormatXml(format, args); }

  bool Walkable(int menu, int depth) const {
    return menu < m_doc.MenuCount() && depth <= m_doc.MenuCount() && m_doc.GetMenu(menu).kind != MENU_FREE;
  }

  void Attributes(int menu, int depth) {
    if (!Walkable(menu, depth)) return;
    const CQMenudata& m = m_doc.GetMenu(menu);
    for (WORD child : m.children) {
      if (m.kind == MENU_OF_MENUS) Attributes(child, depth + 1);
      if (m.kind != MENU_OF_ATTRIBUTES || child >= m_doc.AttributeCount()) continue;
      const CQAttdata& a = m_doc.GetAttribute(child);
      if (a.menuIndex == kNoIndex16) continue;
      Put("\t\t<attribute\n\t\t\tparent_menu=\"%d\"\n\t\t\tname=\"%s\"\n\t\t\tid=\"%d\"\n\t\t\timage_name=\"%s\">\n"
          "\t\t\t<help_text>%s</help_text>\n\t\t</attribute>\n",
          {XmlArg(a.menuIndex), XmlArg(a.name), XmlArg(child), XmlArg(a.pictures), XmlArg(a.helpText)});
    }
  }

  void Menus(int menu, int depth) {
    if (!Walkable(menu, depth)) return;
    const CQMenudata& m = m_doc.GetMenu(menu);
    Put("\t\t<menu\n\t\t\tid=\"%d\"\n\t\t\tdifficulty=\"%d\"\n\t\t\tparent=\"%d\"\n\t\t\ttitle=\"%s\"\n"
        "\t\t\timage_name=\"%s\">\n\t\t\t<help_text>%s</help_text>\n\t\t</menu>\n",
        {XmlArg(menu), XmlArg(m.difficulty), XmlArg(m.parent), XmlArg(m.title), XmlArg(m.pictures),
         XmlArg(m.helpText)});
    if (m.kind == MENU_OF_MENUS)
      for (WORD child : m.children) Menus(child, depth + 1);
  }

  void Names(const char* format, const std::vector<std::unique_ptr<CQItemname>>& names) {
    for (std::size_t e = 0; e < names.size(); ++e)
      if (names[e] && names[e]->itemIndex != -1)
        Put(format, {XmlArg(names[e]->itemIndex), XmlArg(names[e]->name), XmlArg(e)});
  }

  void Item(int i) {
    const CQItemrec& item = m_doc.GetItem(i);
    if (item.IsFreeSlot()) return;
    Put("\t\t<item id=\"%d\"\n\t\t\tname_index=\"%d\"\n\t\t\tspecies_index=\"%d\"\n\t\t\tgenus_index=\"%d\"\n"
        "\t\t\tfamily_index=\"%d\"\n\t\t\timage_name=\"%s\">\n\t\t\t<description>%s</description>\n",
        {XmlArg(i), XmlArg(item.nameIndex), XmlArg(item.speciesIndex), XmlArg(item.genusIndex),
         XmlArg(item.familyIndex), XmlArg(item.pictures), XmlArg(item.description)});
    if (const DWORD* row = m_doc.GetItemAttributeBits(i))
      for (int a = 0; a < m_doc.AttributeCount(); ++a)
        if (TestBit(row, static_cast<WORD>(a)) && !m_doc.GetAttribute(a).name.empty())
          Put("\t\t\t<attribute name=\"%s\" id=\"%d\" />\n", {XmlArg(m_doc.GetAttribute(a).name), XmlArg(a)});
    for (std::size_t r = 0; r < item.referencePages.size(); ++r)
      if (!item.referencePages[r].empty())
        Put("\t\t\t<reference id=\"%d\" page=\"%s\" />\n", {XmlArg(r), XmlArg(item.referencePages[r])});
    m_out += "\t\t</item>\n";
  }

  const CZAVDoc& m_doc;
  std::string m_out;
};

// Texts with everything the conversion and the escaping treat specially.
std::string RandomText(std::mt19937& rng) {
  static const char* const pieces[] = {"a",      "Bc",     "&",          "\"",   "'",    "<",    ">",       " ",
                                       "\u00e9", "\u20ac", "\U0001F426", "\xc3", "\x80", "\xff", "\xe2\x82"};
  std::string text;
  const int length = std::uniform_int_distribution<int>(0, 4)(rng);
  for (int i = 0; i < length; ++i) text += pieces[std::uniform_int_distribution<std::size_t>(0, 14)(rng)];
  return text;
}

std::unique_ptr<CQMenudata> Menu(BYTE kind, std::vector<WORD> children, std::mt19937& rng) {
  auto menu = std::make_unique<CQMenudata>();
  menu->kind = kind;
  menu->parent = 0;
  menu->title = RandomText(rng);
  menu->helpText = RandomText(rng);
  menu->children = std::move(children);
  return menu;
}

void AddAttributes(CZAVDoc& doc, int attributes, std::mt19937& rng) {
  std::vector<WORD> children;
  for (int a = 0; a < attributes; ++a) {
    auto record = std::make_unique<CQAttdata>();
    record->menuIndex = rng() % 5 == 0 ? kNoIndex16 : 1;
    record->name = RandomText(rng);
    record->pictures = RandomText(rng);
    doc.SetAttributeAt(a, std::move(record));
    children.push_back(static_cast<WORD>(a));
  }
  doc.m_menus.push_back(Menu(MENU_OF_MENUS, {1}, rng));
  doc.m_menus.push_back(Menu(MENU_OF_ATTRIBUTES, std::move(children), rng));
}

void AddItems(CZAVDoc& doc, int items, std::mt19937& rng) {
  doc.m_referenceTitles = {RandomText(rng), RandomText(rng)};
  for (int i = 0; i < items; ++i) {
    auto record = std::make_unique<CQItemrec>();
    const bool freeSlot = rng() % 6 == 0;
    record->nameIndex = freeSlot ? -1 : i;
    record->speciesIndex = freeSlot || rng() % 3 == 0 ? -1 : i;
    record->description = RandomText(rng);
    record->referencePages = {RandomText(rng), RandomText(rng)};
    doc.InsertItem(i, std::move(record));
    auto name = std::make_unique<CQItemname>();
    name->itemIndex = rng() % 4 == 0 ? -1 : i;
    name->name = RandomText(rng);
    doc.m_itemNames.push_back(std::move(name));
    doc.m_genusNames.push_back(RandomText(rng));
  }
}

// Random bits, the padding bits past the last attribute included.
void AddBits(CZAVDoc& doc, std::mt19937& rng) {
  const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
  layout.BuildBlocks(doc.m_dataBlocks);
  for (CQDatablock& block : doc.m_dataBlocks)
    for (DWORD& word : block.words) word = static_cast<DWORD>(rng() & rng());
}

// Up to maxAttributes attributes and maxItems items.
std::unique_ptr<CZAVDoc> RandomDatabase(unsigned seed, int maxAttributes = 150, int maxItems = 40) {
  std::mt19937 rng(seed);
  auto doc = MakeDocument(true, true);
  doc->m_header.title = RandomText(rng);
  doc->m_missingData = rng() % 2;
  AddAttributes(*doc, std::uniform_int_distribution<int>(1, maxAttributes)(rng), rng);
  AddItems(*doc, std::uniform_int_distribution<int>(0, maxItems)(rng), rng);
  if (doc->ItemCount() > 0) AddBits(*doc, rng);
  return doc;
}

}  // namespace

TEST(XmlDumpWriter, EqualsThePlainWriterOnRandomDatabases) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    const auto doc = RandomDatabase(seed);
    ASSERT_EQ(doc->WriteXml(), PlainDump(*doc).Text()) << "seed " << seed;
  }
}

// Large enough that the snapshot renders its attribute lines and its items
// in several pieces side by side.
TEST(XmlDumpWriter, EqualsThePlainWriterOnDatabasesRenderedInPieces) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    const auto doc = RandomDatabase(seed, 9000, 6000);
    ASSERT_EQ(doc->WriteXml(), PlainDump(*doc).Text()) << "seed " << seed;
  }
}

TEST(XmlDumpWriter, SmallChunksGiveTheSameBytes) {
  const auto doc = RandomDatabase(7);
  std::string pieces;
  int calls = 0;
  XmlDumpSnapshot(*doc).Render(
      [&](std::string_view piece) {
        pieces += piece;
        ++calls;
        return true;
      },
      64);
  EXPECT_EQ(pieces, doc->WriteXml());
  EXPECT_GT(calls, 1);
}

TEST(XmlDumpWriter, ASinkThatRefusesStopsTheRendering) {
  const auto doc = RandomDatabase(7);
  int calls = 0;
  const bool finished = XmlDumpSnapshot(*doc).Render(
      [&](std::string_view) {
        ++calls;
        return false;
      },
      64);
  EXPECT_FALSE(finished);
  EXPECT_EQ(calls, 1);
}

TEST(XmlDumpWriter, TheSnapshotKeepsTheDocumentAsItWas) {
  const auto doc = RandomDatabase(11);
  const std::string before = doc->WriteXml();
  const XmlDumpSnapshot snapshot(*doc);
  doc->m_header.title = "changed";
  for (CQDatablock& block : doc->m_dataBlocks) std::fill(block.words.begin(), block.words.end(), 0u);
  std::string rendered;
  snapshot.Render([&](std::string_view piece) { return rendered += piece, true; }, 1 << 20);
  EXPECT_EQ(rendered, before);
}

TEST(XmlDumpWriter, GoesToTheFolderThatWasCurrentAtTheCall) {
  TempFolder first;
  const auto doc = RandomDatabase(3);
  doc->WriteXmlDump();
  {
    TempFolder second;
    WaitForXmlDump();
    EXPECT_FALSE(std::filesystem::exists("TEST.qorx"));
  }
  EXPECT_EQ(ReadFile(first.File("TEST.qorx")), doc->WriteXml());
}

TEST(XmlDumpWriter, TheLastOfSeveralDumpsIsTheFile) {
  TempFolder temp;
  for (unsigned seed = 20; seed < 25; ++seed) RandomDatabase(seed)->WriteXmlDump();
  WaitForXmlDump();
  EXPECT_EQ(ReadFile(temp.File("TEST.qorx")), RandomDatabase(24)->WriteXml());
}

TEST(XmlDumpWriter, AFileThatCannotBeWrittenIsSkippedSilently) {
  TempFolder temp;
  std::filesystem::create_directory("TEST.qorx");
  RandomDatabase(5)->WriteXmlDump();
  WaitForXmlDump();
  EXPECT_TRUE(std::filesystem::is_directory("TEST.qorx"));
}
