#include "database/UtilityFunction.h"

#include <algorithm>
#include <system_error>

#include "database/LevelNames.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

thread_local int g_displayNameSplit = 0;

const std::string* NameAt(const std::vector<std::unique_ptr<CQItemname>>& names, int index) {
  return IsValidIndex(index, names.size()) ? &names[index]->name : nullptr;
}

const std::string* TextAt(const std::vector<std::string>& texts, int index) {
  return IsValidIndex(index, texts.size()) ? &texts[index] : nullptr;
}

namespace {

CZAVDoc* g_activeDocument = nullptr;
bool g_activeFrame = false;

BYTE StateOf(const CZAVDoc& document, int item) {
  return IsValidIndex(item, document.m_itemStates.size()) ? document.m_itemStates[item] : BYTE{STATE_ELIMINATED};
}

int CountSelected(const CZAVDoc& document) {
  return static_cast<int>(std::count_if(document.m_itemStates.begin(), document.m_itemStates.end(), IsSelectedState));
}

// Builds a display name part by part; a missing part is written as its
// marker, and only parts written as names count as preceding text.
class DisplayNameBuilder {
 public:
  explicit DisplayNameBuilder(std::string separator) : m_separator(std::move(separator)) {}

  // Returns true when the part was a name (not a marker).
  bool Add(const std::string* part, const std::string& before, const char* marker) {
    if (!part) {
      m_text += marker;
      return false;
    }
    if (m_hasName) m_text += before;
    m_text += *part;
    m_hasName = true;
    return true;
  }
  bool AddWithSeparator(const std::string* part, const char* marker) { return Add(part, m_separator, marker); }
  bool AddWithBlank(const std::string* part, const char* marker) { return Add(part, " ", marker); }

  const std::string& text() const { return m_text; }

 private:
  std::string m_separator;
  std::string m_text;
  bool m_hasName = false;
};

void AddScientificParts(const CZAVDoc& document, const CQItemrec& item, DisplayNameBuilder& name) {
  name.AddWithSeparator(TextAt(document.m_genusNames, item.genusIndex), "#genusError#");
  name.AddWithBlank(NameAt(document.m_speciesNames, item.speciesIndex), "#speciesError#");
  name.AddWithSeparator(TextAt(document.m_familyNames, item.familyIndex), "#familyError#");
}

}  // namespace

bool IsDatabaseEditable(const CZAVDoc* document) { return document && document->IsEditable(); }

int FindWordIndex(const std::vector<WORD>& words, WORD value) {
  auto it = std::find(words.begin(), words.end(), value);
  if (it == words.end()) ThrowErrorMessage("Can't find index.");
  return static_cast<int>(it - words.begin());
}

int GetOrderType(const CZAVDoc& document) {
  const bool common = document.m_header.commonNamesEnabled != 0;
  const bool scientific = document.m_header.scientificNamesEnabled != 0;
  if (common && scientific) return document.m_orderChoice;
  if (common) return kCommonNameOrder;
  if (scientific) return kScientificOrder;
  ThrowErrorMessage("OrderHookError");
}

const std::vector<std::unique_ptr<CQItemname>>& GetOrderArray(const CZAVDoc& document) {
  switch (GetOrderType(document)) {
    case kScientificOrder:
      return document.m_speciesNames;
    case kCommonNameOrder:
      return document.m_itemNames;
    default:
      ThrowErrorMessage("OrderArrayHookError");
  }
}

std::vector<std::unique_ptr<CQItemname>>& GetOrderArray(CZAVDoc& document) {
  return const_cast<std::vector<std::unique_ptr<CQItemname>>&>(GetOrderArray(static_cast<const CZAVDoc&>(document)));
}

int GetNextInOrder(const CZAVDoc& document, int item, int step) {
  if (item < 0 || item >= document.ItemCount() || (step != 1 && step != -1)) ThrowErrorMessage("Order error!");
  const CQItemrec& record = document.GetItem(item);
  const bool anySelected = CountSelected(document) > 0;
  const int order = GetOrderType(document);
  int start = 0;
  if (order == kScientificOrder) {
    if (record.speciesIndex == -1) ThrowErrorMessage("Order error! <scientificOrder>");
    start = record.speciesIndex + step;
  } else if (order == kCommonNameOrder) {
    if (record.nameIndex == -1) ThrowErrorMessage("Order error! <commonOrder>");
    start = record.nameIndex + step;
  } else {
    ThrowErrorMessage("Order error!");
  }
  const auto& names = GetOrderArray(document);
  for (int at = start; IsValidIndex(at, names.size()); at += step) {
    const int candidate = names[at]->itemIndex;
    if (candidate == -1) continue;
    const BYTE state = StateOf(document, candidate);
    if (anySelected ? IsSelectedState(state) : IsRemainingState(state)) return candidate;
  }
  return -1;
}

std::string GetItemDisplayName(const CZAVDoc& document, int item) {
  if (item < 0 || item >= document.ItemCount()) return {};
  return GetItemDisplayNameInOrder(document, item, GetOrderType(document));
}

std::string GetItemDisplayNameInOrder(const CZAVDoc& document, int item, int order) {
  if (item < 0 || item >= document.ItemCount()) return {};
  g_displayNameSplit = 0;
  const bool customLevels = document.m_levelNames && document.m_levelNames->inUse;
  DisplayNameBuilder name(customLevels ? " " : " / ");
  const CQItemrec& record = document.GetItem(item);
  const std::string* common = NameAt(document.m_itemNames, record.nameIndex);
  if (order == kCommonNameOrder) {
    name.AddWithSeparator(common, "#commonNameError#");
    if (common) g_displayNameSplit = static_cast<int>(common->size());
    if (document.m_header.scientificNamesEnabled) AddScientificParts(document, record, name);
    return name.text();
  }
  AddScientificParts(document, record, name);
  if (document.m_header.commonNamesEnabled) {
    if (name.AddWithSeparator(common, "#commonNameError#"))
      g_displayNameSplit = static_cast<int>(name.text().size() - common->size());
  }
  return name.text();
}

std::string TextToHtmlAttribute(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '>':
        out += "&gt;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '"':
      case '\'':
        out += '`';
        break;
      case '\r':
        break;
      case '\n':
        out += "<br>";
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {
std::string JoinEachFollowedBy(const std::vector<std::string>& parts, const char* terminator) {
  std::string out;
  for (const auto& part : parts) {
    out += part;
    out += terminator;
  }
  return out;
}
}  // namespace

std::string JoinWithNewlines(const std::vector<std::string>& lines) { return JoinEachFollowedBy(lines, "\r\n"); }

std::string JoinWithSemicolons(const std::vector<std::string>& names) { return JoinEachFollowedBy(names, ";"); }

std::string GetSystemErrorText(int code) {
  if (code == 0) return {};
  std::string text = std::system_category().message(code);
  if (text.rfind("Unknown error", 0) == 0) return {};
  return text;
}

void SetActiveDocument(CZAVDoc* document, bool hasFrame) {
  g_activeDocument = hasFrame ? document : nullptr;
  g_activeFrame = hasFrame;
}

void ClearActiveFrame() { SetActiveDocument(nullptr, false); }

CZAVDoc* GetActiveDocument() { return g_activeDocument; }

std::string GetActiveDatabaseFolder() {
  if (!g_activeFrame) ThrowErrorMessage("Can't find frame.");
  if (!g_activeDocument) ThrowErrorMessage("Can't find document class.");
  return GetDatabaseFolder(*g_activeDocument);
}

std::string GetDatabaseFolder(const CZAVDoc& document) {
  const std::string& path = document.m_pathName;
  if (path.empty()) ThrowErrorMessage("Please save the document.");
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(0, slash + 1);
}

bool IsPlainRelativeName(const std::string& name) {
  if (name.empty()) return false;
  std::string slashed = name;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  if (slashed[0] == '/' || (slashed.size() >= 2 && slashed[1] == ':')) return false;  // a drive on any system
  const std::filesystem::path path(slashed);
  if (path.has_root_name() || path.has_root_directory()) return false;
  for (const auto& part : path)
    if (part == "..") return false;
  return true;
}

std::filesystem::path StoredNameToPath(const std::filesystem::path& base, const std::string& stored) {
  std::string relative = stored;
  std::replace(relative.begin(), relative.end(), '\\', '/');
  if (relative.empty()) return base;
  return base / std::filesystem::path(relative).lexically_normal();
}

void FindFileInSubfolders(const std::filesystem::path& base, const std::string& relative, const std::string& fileName,
                          std::vector<std::string>& found) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder = StoredNameToPath(base, relative);
  if (fs::is_regular_file(folder / fileName, error)) found.push_back(relative);
  std::vector<std::string> subfolders;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_symlink(error) || !it->is_directory(error)) continue;
    subfolders.push_back(it->path().filename().string());
  }
  // Directory order differs between systems; a sorted walk gives stable results.
  std::sort(subfolders.begin(), subfolders.end());
  for (const auto& name : subfolders) FindFileInSubfolders(base, relative + name + "\\", fileName, found);
}
