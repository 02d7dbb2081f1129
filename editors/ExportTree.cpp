#include "editors/ExportTree.h"

#include <memory>
#include <vector>

#include "database/BitMatrix.h"
#include "database/MenuPath.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "editors/QORExporter.h"

namespace {

constexpr int kNone = -1;

// Ends the walk from any depth: a cancel, or a failing exporter call.
struct StopWalk {
  ExportTreeResult result;
};

// The current name order's entries; none when no name kind is enabled.
const std::vector<std::unique_ptr<CQItemname>>* OrderEntries(const CZAVDoc& document) {
  if (!document.m_header.commonNamesEnabled && !document.m_header.scientificNamesEnabled) return nullptr;
  return &GetOrderArray(document);
}

class ExportTreeWriter {
 public:
  ExportTreeWriter(const CZAVDoc& document, QORExporter& exporter, const ExportProgress& progress)
      : m_doc(document), m_exporter(exporter), m_progress(progress), m_total(CountExportSteps(document)) {}

  void Write(const ExportSelection& selection) {
    Begin("QOR", kNone);
    WriteDescription(selection);
    WriteMenus();
    WriteReferences();
    WriteItems();
    End("QOR");
  }

 private:
  void Check(const ExportCallResult& result) {
    if (!result.ok) throw StopWalk{{ExportTreeResult::Status::Failed, result.error}};
  }
  void Begin(const std::string& name, int index) { Check(m_exporter.BeginElement(name, index)); }
  void Add(const std::string& name, const std::string& value, int index = kNone) {
    Check(m_exporter.AddElement(name, value, index));
  }
  void End(const std::string& name) { Check(m_exporter.EndElement(name)); }
  void Step() {
    ++m_done;
    if (m_progress && !m_progress(m_done, m_total)) throw StopWalk{{ExportTreeResult::Status::Cancelled, {}}};
  }

  void WriteDescription(const ExportSelection& selection) {
    const CQDochdr& header = m_doc.m_header;
    Begin("DESCRIPTION", kNone);
    Add("DBTITLE", header.title);
    Add("DBVERSION", header.dbVersion);
    Add("DBDESCRIPTION", header.description);
    Add("COMMONNAMES", header.commonNamesEnabled ? "Yes" : "No");
    Add("SCIENCENAMES", header.scientificNamesEnabled ? "Yes" : "No");
    Add("DBDESCRIPTION", header.menuVersion);  // the version of the identification menus
    AddCurrent("CURRENTATTRIBUTE", selection.attribute);
    AddCurrent("CURRENTATTRIBUTEMENU", selection.attributeMenu);
    End("DESCRIPTION");
  }
  void AddCurrent(const std::string& name, int index) {
    if (index >= 0)
      Add(name, "set", index);
    else
      Add(name, "unknown", 0);
  }

  bool RootIsAttributeMenu() const { return m_doc.MenuCount() > 0 && m_doc.GetMenu(0).kind == MENU_OF_ATTRIBUTES; }

  // The menus sent: the root alone when it holds attributes, else the root
  // and, depth first, every menu below it down to the menus of attributes.
  std::vector<int> ListedMenus() const {
    if (m_doc.MenuCount() == 0) return {};
    if (RootIsAttributeMenu()) return {0};
    std::vector<WORD> walk;
    m_doc.CollectMenuTree(0, walk);
    std::vector<int> menus;
    for (WORD m : walk)
      if (m_doc.GetMenu(m).kind != MENU_FREE) menus.push_back(m);
    return menus;
  }

  void WriteMenus() {
    Begin("MENUPART", kNone);
    for (int menu : ListedMenus()) WriteMenu(menu);
    End("MENUPART");
  }

  void WriteMenu(int menu) {
    const CQMenudata& data = m_doc.GetMenu(menu);
    const bool rootOnly = RootIsAttributeMenu();  // the root alone, sent without a path
    Step();
    Begin("MENU", menu);
    Add("PARENT", std::to_string(data.parent), rootOnly ? 0 : data.parent);
    Add("NAME", data.title, menu);
    const std::string longName = rootOnly ? std::string() : GetLongMenuName(m_doc, menu);
    if (!rootOnly) Add("LONGMENUNAME", longName);
    if (data.kind == MENU_OF_ATTRIBUTES)
      for (WORD a : data.children) WriteAttribute(a, rootOnly ? std::string() : longName + " / ");
    End("MENU");
  }

  // The prefix is the long menu name and its separator; empty for the root alone.
  void WriteAttribute(int attribute, const std::string& longNamePrefix) {
    if (attribute >= m_doc.AttributeCount()) return;
    const std::string& name = m_doc.GetAttribute(attribute).name;
    Step();
    Begin("ATTRIBUTE", attribute);
    Add("ATTRIBUTENAME", name, attribute);
    Add("LONGATTRIBUTENAME", longNamePrefix + name, attribute);
    End("ATTRIBUTE");
  }

  void WriteReferences() {
    Begin("REFERENCES", kNone);
    for (std::size_t r = 0; r < m_doc.m_referenceTitles.size(); ++r)
      Add("REF", m_doc.m_referenceTitles[r], static_cast<int>(r));
    End("REFERENCES");
  }

  // An attribute as every item's "ATT" sends it; the value is made once.
  struct ListedAttribute {
    WORD index;
    std::string menuText;
  };

  // The attributes in the order the items list them: menu by menu as the
  // menus are sent, each menu's attributes in child order.
  std::vector<ListedAttribute> AttributesInMenuOrder() const {
    std::vector<ListedAttribute> attributes;
    for (int menu : ListedMenus()) {
      const CQMenudata& data = m_doc.GetMenu(menu);
      if (data.kind != MENU_OF_ATTRIBUTES) continue;
      for (WORD a : data.children)
        if (a < m_doc.AttributeCount()) attributes.push_back({a, std::to_string(m_doc.GetAttribute(a).menuIndex)});
    }
    return attributes;
  }

  void WriteItems() {
    Begin("ITEMS", kNone);
    const std::vector<ListedAttribute> attributes = AttributesInMenuOrder();
    if (const auto* entries = OrderEntries(m_doc)) {
      for (const auto& entry : *entries) {
        Step();
        const int item = entry->itemIndex;
        if (item < 0 || item >= m_doc.ItemCount() || !IsRemainingState(m_doc.GetItemState(item))) continue;
        WriteItem(item, entry->name, attributes);
      }
    }
    End("ITEMS");
  }

  void AddIfPresent(const std::string& name, const std::string* text) {
    if (text) Add(name, *text);
  }

  void WriteItem(int item, const std::string& entryName, const std::vector<ListedAttribute>& attributes) {
    const CQItemrec& record = m_doc.GetItem(item);
    Begin("ITEM", item);
    Add("NAME", entryName);
    AddIfPresent("ITEMNAME", NameAt(m_doc.m_itemNames, record.nameIndex));
    AddIfPresent("GENUS", TextAt(m_doc.m_genusNames, record.genusIndex));
    AddIfPresent("SPECIES", NameAt(m_doc.m_speciesNames, record.speciesIndex));
    AddIfPresent("FAMILY", TextAt(m_doc.m_familyNames, record.familyIndex));
    Add("LONGNAME", GetItemDisplayName(m_doc, item));
    Add("DESCRIPTION", record.description);
    Add("ITEMIMAGE", record.pictures);
    Begin("REFS", kNone);
    for (std::size_t r = 0; r < record.referencePages.size(); ++r)
      if (!record.referencePages[r].empty()) Add("REF", record.referencePages[r], static_cast<int>(r));
    End("REFS");
    Begin("ATTS", kNone);
    static const std::string att = "ATT";
    if (const DWORD* row = m_doc.GetItemAttributeBits(item))
      for (const ListedAttribute& a : attributes)
        if (TestBit(row, a.index)) Add(att, a.menuText, a.index);
    End("ATTS");
    End("ITEM");
  }

  const CZAVDoc& m_doc;
  QORExporter& m_exporter;
  const ExportProgress& m_progress;
  const int m_total;
  int m_done = 0;
};

}  // namespace

int CountExportSteps(const CZAVDoc& document) {
  const auto* entries = OrderEntries(document);
  return document.AttributeCount() + document.MenuCount() + (entries ? static_cast<int>(entries->size()) : 0);
}

ExportTreeResult BuildExportTree(const CZAVDoc& document, QORExporter& exporter, const ExportSelection& selection,
                                 const ExportProgress& progress) {
  try {
    ExportTreeWriter(document, exporter, progress).Write(selection);
  } catch (const StopWalk& stop) {
    return stop.result;
  }
  return {};
}
