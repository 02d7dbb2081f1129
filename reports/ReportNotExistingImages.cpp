#include "reports/ReportNotExistingImages.h"

#include <filesystem>
#include <vector>

#include "database/PictureList.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/MenuText.h"

namespace {

constexpr const char* kNothingMissing = "There are no image file names without a matching image file.";

bool PictureExists(const std::string& folder, const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(StoredNameToPath(folder, name), error);
}

}  // namespace

CReportNotExistingImages::CReportNotExistingImages(CZAVDoc& document) : CReport(document, kReportMissingPictures, -1) {}

void CReportNotExistingImages::Build() {
  m_folder = GetDatabaseFolder(Document());
  WriteHead(false, true);
  AppendHeading1("Menus items without a matching image file.");
  AppendMenus();
  AppendNothingFound();
  AppendHtml("<br><br>");
  m_nothingFound = true;
  const CZAVDoc& doc = Document();
  AppendHeading1((doc.m_header.scientificNamesEnabled ? doc.GetSpeciesLabel() : std::string("Items")) +
                 " without a matching image file.");
  AppendItems();
  AppendNothingFound();
  WriteFooter(false);
}

void CReportNotExistingImages::AppendMenus() {
  const CZAVDoc& doc = Document();
  if (doc.MenuCount() == 0) return;
  auto appendAttributes = [&](const CQMenudata& menu, const std::string& prefix) {
    if (menu.kind != MENU_OF_ATTRIBUTES) return;
    for (WORD a : menu.children) {
      if (a >= doc.AttributeCount()) continue;
      const CQAttdata& attribute = doc.GetAttribute(a);
      AppendMissing("&bull;" + prefix + FormatLink("att", a, VerdanaSpan(attribute.name)), attribute.pictures,
                    " : file '%s' does not exist");
    }
  };
  appendAttributes(doc.GetMenu(0), {});
  std::vector<WORD> menus;
  doc.CollectMenuTree(0, menus);
  for (std::size_t k = 1; k < menus.size(); ++k) {
    const CQMenudata& menu = doc.GetMenu(menus[k]);
    const std::string path = MenuTitlePath(doc, menus[k]);
    AppendMissing("&bull;" + FormatLink("menu", menus[k], VerdanaSpan(path)), menu.pictures,
                  " : file '%s' does not exist");
    appendAttributes(menu, VerdanaSpan(path) + " : ");
  }
}

void CReportNotExistingImages::AppendItems() {
  const CZAVDoc& doc = Document();
  for (const auto& entry : GetOrderArray(doc)) {
    const int item = entry->itemIndex;
    if (item < 0 || item >= doc.ItemCount()) continue;
    const std::string& pictures = doc.GetItem(item).pictures;
    if (pictures.find_first_not_of(" \t\r\n") == std::string::npos) continue;
    AppendMissing(FormatLink("item%20", item, VerdanaSpan(GetItemDisplayName(doc, item))), pictures,
                  " : file '%s' does not exist.");
  }
}

void CReportNotExistingImages::AppendMissing(const std::string& lead, const std::string& pictures, const char* ending) {
  std::vector<std::string> names;
  SplitList(pictures, names);
  bool first = true;
  for (const auto& name : names) {
    if (PictureExists(m_folder, name)) continue;
    if (first) AppendHtml(lead);
    first = false;
    std::string sentence = ending;
    sentence.replace(sentence.find("%s"), 2, name);
    AppendVerdana(sentence);
    AppendBreak();
    m_nothingFound = false;
  }
}

void CReportNotExistingImages::AppendNothingFound() {
  if (m_nothingFound) AppendCourier(kNothingMissing);
}
