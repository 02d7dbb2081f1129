// Builds the sample key from its readable tables: make_sample SOURCE OUTPUT
// reads SOURCE/attributes.tsv and SOURCE/birds.tsv, writes OUTPUT/birds.qor
// through the document's own save, a picture per bird and the database page.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"
#include "database/ImageRegion.h"
#include "samples/BirdPicture.h"

namespace fs = std::filesystem;

namespace {

using Row = std::vector<std::string>;

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

// The lines of a table without its "#" comments.
std::vector<Row> ReadTable(const fs::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') rows.push_back(Split(line, '\t'));
  }
  return rows;
}

const std::string& Cell(const Row& row, std::size_t column) {
  static const std::string empty;
  return column < row.size() ? row[column] : empty;
}

class KeyBuilder {
 public:
  explicit KeyBuilder(CZAVDoc& doc) : m_doc(doc) {}

  void AddMenusAndAttributes(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      if (Cell(row, 2).empty())
        AddMenu(Cell(row, 0), Cell(row, 1), Cell(row, 3));
      else
        AddAttribute(Cell(row, 0), Cell(row, 2), Cell(row, 3));
    }
  }

  void AddBirds(const std::vector<Row>& rows, const fs::path& output) {
    const Row& header = rows.at(0);
    for (std::size_t i = 1; i < rows.size(); ++i) AddBird(header, rows[i], output);
  }

 private:
  int AddMenu(const std::string& title, const std::string& parentTitle, const std::string& help) {
    auto menu = std::make_unique<CQMenudata>();
    menu->kind = MENU_OF_ATTRIBUTES;
    menu->title = title;
    menu->helpText = help;
    const int index = m_doc.MenuCount();
    if (!parentTitle.empty()) {
      const int parent = m_menus.at(parentTitle);
      CQMenudata& parentMenu = m_doc.GetMenu(parent);
      parentMenu.kind = MENU_OF_MENUS;
      parentMenu.children.push_back(static_cast<WORD>(index));
      menu->parent = static_cast<WORD>(parent);
    }
    m_doc.m_menus.push_back(std::move(menu));
    m_menus[title] = index;
    return index;
  }

  void AddAttribute(const std::string& menuTitle, const std::string& name, const std::string& help) {
    const int menu = m_menus.at(menuTitle);
    const int index = m_doc.AttributeCount();
    auto record = std::make_unique<CQAttdata>();
    record->menuIndex = static_cast<WORD>(menu);
    record->name = name;
    record->helpText = help;
    m_doc.SetAttributeAt(index, std::move(record));
    m_doc.GetMenu(menu).children.push_back(static_cast<WORD>(index));
    m_attributes[menuTitle + "\t" + name] = index;
  }

  int Reference(const std::string& title) {
    for (std::size_t r = 0; r < m_doc.m_referenceTitles.size(); ++r)
      if (m_doc.m_referenceTitles[r] == title) return static_cast<int>(r);
    m_doc.m_referenceTitles.push_back(title);
    return static_cast<int>(m_doc.m_referenceTitles.size() - 1);
  }

  void AddBird(const Row& header, const Row& row, const fs::path& output) {
    const std::string picture = Cell(row, 2) + "_" + Cell(row, 3) + ".bmp";
    m_doc.AddItem(picture, Cell(row, 3), Cell(row, 0), Cell(row, 2), Cell(row, 1), Cell(row, 11));
    const int item = m_doc.m_currentItem;  // the slot the item went into
    std::map<std::string, std::string> firstOf;
    for (std::size_t column = 4; column <= 9; ++column)
      for (const std::string& name : Split(Cell(row, column), ',')) {
        const std::string key = Cell(header, column) + "\t" + name;
        auto found = m_attributes.find(key);
        if (found == m_attributes.end()) throw std::runtime_error("unknown attribute " + key);
        SetBit(m_doc.GetItemAttributeBits(item), static_cast<WORD>(found->second));
        firstOf.emplace(Cell(header, column), name);
      }
    AddReferencePages(item, Cell(row, 10));
    const double scale = 0.6 + 0.1 * SizeClass(firstOf["Size"]);
    WriteBirdPicture(output / picture, ColourNamed(firstOf["Upperparts"]), ColourNamed(firstOf["Breast"]), scale);
  }

  void AddReferencePages(int item, const std::string& cell) {
    for (const std::string& entry : Split(cell, ';')) {
      const auto colon = entry.find(':');
      if (colon == std::string::npos) continue;
      const int reference = Reference(entry.substr(0, colon));
      auto& pages = m_doc.GetItem(item).referencePages;
      if (pages.size() <= static_cast<std::size_t>(reference)) pages.resize(reference + 1);
      pages[reference] = entry.substr(colon + 1);
    }
  }

  static int SizeClass(const std::string& size) {
    static const char* const kSizes[] = {"Tiny", "Small", "Medium", "Large"};
    for (int i = 0; i < 4; ++i)
      if (size.rfind(kSizes[i], 0) == 0) return i + 1;
    return 2;
  }

  CZAVDoc& m_doc;
  std::map<std::string, int> m_menus;
  std::map<std::string, int> m_attributes;
};

void SetHeader(CZAVDoc& doc) {
  CQDochdr& h = doc.m_header;
  h.commonNamesEnabled = 1;
  h.scientificNamesEnabled = 1;
  h.showCommonNames = 1;
  h.title = "Common garden birds of Europe";
  h.dbVersion = "1.0";
  h.menuVersion = "1.0";
  h.description =
      "Nineteen birds of European gardens, parks and hedges, told apart by size, bill, colours, "
      "habitat and behaviour.";
  h.lockWord = CZAVDoc::LockTokenFor(h.description);
}

// The size menu gets a picture with regions for the three smaller sizes;
// the largest is left for an author to draw.
void AddSizePicture(CZAVDoc& doc, const fs::path& output) {
  const int menu = doc.FindMenuByTitle("Size", false);
  if (menu < 0 || menu >= doc.MenuCount()) throw std::runtime_error("no size menu");
  doc.GetMenu(menu).pictures = "size.bmp";
  if (!WriteSizePicture(output / "size.bmp")) throw std::runtime_error("the size picture failed");
  RegionSet regions;
  const int children = static_cast<int>(doc.GetMenu(menu).children.size());
  for (int bar = 0; bar < 3 && bar < children; ++bar) {
    const int left = 8 + 38 * bar;
    regions.rectangles.push_back({left, 100 - 22 * (bar + 1), left + 30, 100});
    regions.rectangleIds.push_back(doc.GetAttribute(doc.GetMenu(menu).children[bar]).name);
  }
  if (!WriteRegions((output / "size.bmp.regions").string(), regions))
    throw std::runtime_error("the size regions failed");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_sample SOURCE-FOLDER OUTPUT-FOLDER\n");
    return 2;
  }
  try {
    const fs::path source = argv[1], output = argv[2];
    fs::create_directories(output);
    CZAVDoc doc;
    SetHeader(doc);
    KeyBuilder builder(doc);
    builder.AddMenusAndAttributes(ReadTable(source / "attributes.tsv"));
    AddSizePicture(doc, output);
    builder.AddBirds(ReadTable(source / "birds.tsv"), output);
    fs::copy_file(source / "birds.htm", output / "birds.htm", fs::copy_options::overwrite_existing);
    if (!doc.OnSaveDocument((output / "birds.qor").string())) throw std::runtime_error("the save failed");
    std::printf("wrote %s: %d items, %d attributes, %d menus\n", (output / "birds.qor").c_str(), doc.ItemCount(),
                doc.AttributeCount(), doc.MenuCount());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_sample: %s\n", error.what());
    return 1;
  }
  return 0;
}
