// Writes the seeds that are bytes rather than text into a corpus folder:
// ".qor" files of the engine tests' five-item database (whole, truncated,
// with a bad version word) and of hostile menu trees, link clicks for the link target, menu
// clipboard blocks, second databases for the merge and texts for the XML
// writer.
//   fuzz_make_seeds <source>/fuzz/corpus
// The text seeds (region and levels files) are kept in the tree as written;
// archive/accepted-sample-birds.qor is the sample key as the build makes it.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <tuple>
#include <vector>

#include "EngineFixtures.h"
#include "database/Archive.h"
#include "database/XmlDump.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void WriteSeed(const std::filesystem::path& file, const Bytes& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes StoredFiveItems(bool missingData) {
  FiveItems database(missingData);
  return database->StoreToBytes();
}

void WriteDatabaseSeeds(const std::filesystem::path& corpus) {
  const Bytes whole = StoredFiveItems(false);
  Bytes badVersion = whole;
  badVersion[1] = 0x7F;  // a version word far beyond the newest
  const Bytes truncated(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2));
  for (const char* target : {"archive", "header"}) {
    WriteSeed(corpus / target / "accepted-five-items.qor", whole);
    WriteSeed(corpus / target / "rejected-bad-version.qor", badVersion);
    WriteSeed(corpus / target / "rejected-empty.qor", {});
  }
  WriteSeed(corpus / "archive" / "accepted-missing-data.qor", StoredFiveItems(true));
  WriteSeed(corpus / "archive" / "rejected-truncated.qor", truncated);
  // The header reader reads no further than the header.
  WriteSeed(corpus / "header" / "accepted-truncated-after-header.qor", truncated);
}

// The fields alone, as a file holds them, checked by nothing on the way.
Bytes StoredFields(CZAVDoc& doc) {
  CArchive ar;
  doc.StoreFields(ar);
  return ar.TakeBytes();
}

// A root, `chain` menus of menus in a row below it, each listed `listings`
// times by the one above, and a menu of attributes at the end with
// chain + 1 menus above it.
Bytes ChainedMenus(int chain, int listings) {
  DocBuilder b;
  int above = b.AddMenu("Root", -1, MENU_OF_MENUS);
  for (int k = 0; k < chain; ++k) above = b.AddMenu("Level " + std::to_string(k + 1), above, MENU_OF_MENUS);
  const int red = b.AddAttribute(b.AddMenu("Colour", above), "red");
  b.AddItem("Apple", "Malus", "domestica", "Rosaceae", {red});
  auto doc = b.Build();
  for (auto& menu : doc->m_menus) {
    if (menu->kind != MENU_OF_MENUS) continue;
    std::vector<WORD> repeated;
    for (WORD child : menu->children) repeated.insert(repeated.end(), static_cast<std::size_t>(listings), child);
    menu->children = repeated;
  }
  return StoredFields(*doc);
}

// Menu trees that pass the index and cycle checks but no walk could afford:
// entries listed twice or by a menu that is not theirs, and depths around
// the limit (1000 menus above a menu).
void WriteMenuTreeSeeds(const std::filesystem::path& corpus) {
  const std::filesystem::path folder = corpus / "archive";
  WriteSeed(folder / "rejected-forty-menus-each-listing-the-next-twice.qor", ChainedMenus(40, 2));
  WriteSeed(folder / "rejected-menus-deeper-than-the-limit.qor", ChainedMenus(1000, 1));
  WriteSeed(folder / "accepted-menus-as-deep-as-the-limit.qor", ChainedMenus(999, 1));
  const auto twoMenus = [] {
    DocBuilder b;
    b.AddMenu("Root", -1, MENU_OF_MENUS);
    const int colour = b.AddMenu("Colour", 0);
    const int other = b.AddMenu("Other", 0, MENU_OF_MENUS);
    b.AddAttribute(colour, "red");
    auto doc = b.Build();
    return std::make_tuple(std::move(doc), colour, other);
  };
  auto [stranger, colour, other] = twoMenus();
  stranger->GetMenu(other).children.push_back(static_cast<WORD>(colour));
  WriteSeed(folder / "rejected-menu-listed-by-another-menu.qor", StoredFields(*stranger));
  auto [twice, colourMenu, unused] = twoMenus();
  twice->GetMenu(colourMenu).children.push_back(twice->GetMenu(colourMenu).children.front());
  WriteSeed(folder / "rejected-attribute-listed-twice.qor", StoredFields(*twice));
}

struct Click {
  const char* name;
  std::uint8_t action, popup, flags;  // as the link target reads its first bytes
  const char* address;
};

// Action choices: 0 plain, 3 item list, 4 item page, 6 gallery, 8 menu list,
// 9 analysis, 10 picture regions of menu 1. Popup answers: 3 "Description",
// 8 mark YES. Flags: 1 Shift, 2 locked, 8 the item data changes.
constexpr Click kClicks[] = {
    {"accepted-menu", 8, 0, 0, "http:\\\\menu1end"},
    {"accepted-normalised-attribute", 9, 0, 4, "http://att2end/"},
    {"accepted-item-description", 3, 3, 0, "http:\\\\item%202end"},
    {"accepted-item-page-move", 4, 0, 0, "http:\\\\move1end"},
    {"accepted-set-for-all", 3, 0, 8, "http:\\\\setattall1end"},
    {"accepted-locked-item", 3, 5, 2, "http:\\\\item%200end"},
    {"accepted-gallery-next", 6, 0, 0, "http://next0end/"},
    {"accepted-region-popup", 10, 8, 0, "qorattr:green"},
    {"accepted-region-shift", 10, 0, 1, "qorattr:red"},
    {"accepted-region-unknown-id", 10, 8, 0, "qorattr:r%65d%2"},
    {"accepted-help", 0, 0, 0, "qorlink:help//index%20page.htm"},
    {"accepted-viewer", 0, 0, 0, "qorlink::images//x"},
    {"accepted-huge-number", 3, 0, 0, "http:\\\\item%2099999999999999end"},
    {"rejected-web-address", 6, 0, 0, "http://www.example.org/"},
};

void WriteLinkSeeds(const std::filesystem::path& corpus) {
  for (const auto& click : kClicks) {
    Bytes bytes{click.action, click.popup, click.flags};
    for (const char* c = click.address; *c; ++c) bytes.push_back(static_cast<std::uint8_t>(*c));
    WriteSeed(corpus / "link" / click.name, bytes);
  }
  WriteSeed(corpus / "link" / "rejected-no-address", {1, 0});  // shorter than the choice bytes
}

// A clipboard block written field by field: the version word, then tagged
// records (a menu: tag, difficulty, three texts; an attribute: tag, three
// texts), down and up tags around every record's children, the end tag.
class ClipBlock {
 public:
  explicit ClipBlock(WORD version = 3519) { m_ar.WriteWord(version); }
  ClipBlock& Tag(DWORD tag) {
    m_ar.WriteDword(tag);
    return *this;
  }
  ClipBlock& Menu(DWORD tag, const char* title) {
    Tag(tag);
    m_ar.WriteByte(4);
    return Texts(title).Tag(10);
  }
  ClipBlock& Attribute(const char* name) { return Tag(3).Texts(name).Tag(10).Tag(11); }
  ClipBlock& Texts(const char* text, const char* help = "", const char* pictures = "") {
    m_ar.WriteString(text);
    m_ar.WriteString(help);
    m_ar.WriteString(pictures);
    return *this;
  }
  Bytes Take() { return m_ar.TakeBytes(); }

 private:
  CArchive m_ar;
};

void WriteMenuClipboardSeeds(const std::filesystem::path& corpus) {
  const std::filesystem::path folder = corpus / "menuclip";
  const Bytes colour = ClipBlock().Menu(2, "Colour").Attribute("Red").Attribute("Blue").Tag(11).Tag(100).Take();
  WriteSeed(folder / "accepted-colour.clip", colour);
  WriteSeed(folder / "accepted-nested-menus.clip", ClipBlock()
                                                       .Menu(1, "Fruit")
                                                       .Menu(2, "Colour")
                                                       .Tag(3)
                                                       .Texts("Red", "help", "red.jpg;")
                                                       .Tag(10)
                                                       .Tag(11)
                                                       .Tag(11)
                                                       .Menu(1, "Empty")
                                                       .Tag(11)
                                                       .Tag(11)
                                                       .Tag(100)
                                                       .Take());
  Bytes trailing = colour;
  trailing.insert(trailing.end(), {0xFF, 0xFF, 0xFF, 0x7F});
  WriteSeed(folder / "accepted-bytes-after-the-end.clip", trailing);
  WriteSeed(folder / "rejected-empty.clip", {});
  WriteSeed(folder / "rejected-truncated.clip", Bytes(colour.begin(), colour.begin() + 30));
  WriteSeed(folder / "rejected-other-version.clip", ClipBlock(3518).Menu(2, "Colour").Tag(11).Tag(100).Take());
  WriteSeed(folder / "rejected-attribute-below-menu-of-menus.clip",
            ClipBlock().Menu(1, "Fruit").Attribute("Red").Tag(11).Tag(100).Take());
  WriteSeed(folder / "rejected-climb-above-the-top.clip",
            ClipBlock().Menu(2, "Colour").Tag(11).Tag(11).Tag(100).Take());
  Bytes huge = ClipBlock().Tag(2).Take();
  huge.insert(huge.end(), {4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});  // a length far beyond the block
  WriteSeed(folder / "rejected-huge-length.clip", huge);
}

// Second databases for the merge into the five items: the same key, one
// with missing data, one whose items and menus the five items lack, an
// empty one and a damaged one.
void WriteMergeSeeds(const std::filesystem::path& corpus) {
  const std::filesystem::path folder = corpus / "merge";
  const Bytes whole = StoredFiveItems(false);
  WriteSeed(folder / "accepted-five-items.qor", whole);
  WriteSeed(folder / "accepted-missing-data.qor", StoredFiveItems(true));
  DocBuilder other;
  other.AddMenu("Root", -1, MENU_OF_MENUS);
  const int shape = other.AddMenu("Shape", 0);
  const int colour = other.AddMenu("Colour", 0);
  const int round = other.AddAttribute(shape, "round");
  const int red = other.AddAttribute(colour, "red");
  const int yellow = other.AddAttribute(colour, "yellow");
  other.AddItem("Pear", "Pyrus", "communis", "Rosaceae", {red});
  other.AddItem("Lemon", "Citrus", "limon", "Rutaceae", {round, yellow});
  other.AddItem("", "", "", "", {round});
  WriteSeed(folder / "accepted-other-items-and-menus.qor", other.Build()->StoreToBytes());
  WriteSeed(folder / "rejected-truncated.qor", Bytes(whole.begin(), whole.begin() + 40));
  WriteSeed(folder / "rejected-empty.qor", {});  // an empty file is no database
}

// Texts for the XML writer, pieces split at zero bytes; the first piece is
// also tried as an element name.
void WriteXmlWriterSeeds(const std::filesystem::path& corpus) {
  const std::filesystem::path folder = corpus / "xmlwriter";
  const auto pieces = [](std::initializer_list<std::string> texts) {
    Bytes bytes;
    bool first = true;
    for (const std::string& text : texts) {
      if (!first) bytes.push_back(0);
      bytes.insert(bytes.end(), text.begin(), text.end());
      first = false;
    }
    return bytes;
  };
  WriteSeed(folder / "accepted-names.txt", pieces({"Colour", "red", "a < b & \"c\" > d\r\n\tend \xC3\xA9"}));
  WriteSeed(folder / "accepted-characters-xml-cannot-carry.txt",
            pieces({"NAME", "\xEF\xBF\xBE\xEF\xBF\xBF", "\x01\x1F\x0B", "\xED\xA0\x80", "\xC0\x80\xFF\xE2\x82"}));
  WriteSeed(folder / "rejected-not-an-element-name.txt", pieces({"2nd name", "text"}));
  WriteSeed(folder / "rejected-empty.txt", {});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_make_seeds <corpus folder>\n";
    return 2;
  }
  const std::filesystem::path corpus = std::filesystem::absolute(argv[1]);
  // Storing writes the XML dump into the current folder: keep it out of the tree.
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  WriteDatabaseSeeds(corpus);
  WriteMenuTreeSeeds(corpus);
  WriteLinkSeeds(corpus);
  WriteMenuClipboardSeeds(corpus);
  WriteMergeSeeds(corpus);
  WriteXmlWriterSeeds(corpus);
  WaitForXmlDump();
  std::filesystem::remove("TEST.qorx");
  return 0;
}
