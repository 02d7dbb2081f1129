#include "editors/LinkLocation.h"

#include <algorithm>
#include <filesystem>

#include "database/ExternalLinks.h"
#include "database/HtmlEscape.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

namespace fs = std::filesystem;

namespace editors {

namespace {

std::string Slashed(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

// The first separator in the text, 0 for none.
char FirstSeparator(const std::string& text) {
  const auto at = text.find_first_of("\\/");
  return at == std::string::npos ? 0 : text[at];
}

char FirstSeparatorOfLinks(const std::string& description) {
  std::vector<std::string> lines;
  SplitLinks(GetLinksPart(description), lines);
  for (const std::string& line : lines) {
    std::string name, address;
    SplitLink(line, name, address);
    if (HasUrlScheme(address)) continue;  // web addresses always use "/"
    if (char separator = FirstSeparator(address)) return separator;
  }
  return 0;
}

}  // namespace

std::string RelativeLocation(const std::string& databaseFolder, const std::string& file) {
  const fs::path folder = fs::path(Slashed(databaseFolder)).lexically_normal();
  const fs::path chosen = fs::path(Slashed(file)).lexically_normal();
  const fs::path relative = chosen.lexically_relative(folder);
  if (relative.empty()) return chosen.generic_string();
  const std::string text = relative.generic_string();
  return text.rfind("..", 0) == 0 ? text : "./" + text;
}

char StoredSeparator(const CZAVDoc& document) {
  for (int item = 0; item < document.ItemCount(); ++item) {
    const CQItemrec& record = document.GetItem(item);
    if (char separator = FirstSeparator(record.pictures)) return separator;
    if (char separator = FirstSeparatorOfLinks(record.description)) return separator;
  }
  for (int menu = 0; menu < document.MenuCount(); ++menu)
    if (char separator = FirstSeparator(document.GetMenu(menu).pictures)) return separator;
  for (int attribute = 0; attribute < document.AttributeCount(); ++attribute)
    if (char separator = FirstSeparator(document.GetAttribute(attribute).pictures)) return separator;
  return '\\';
}

std::string WithSeparator(std::string location, char separator) {
  std::replace_if(
      location.begin(), location.end(), [](char c) { return c == '/' || c == '\\'; }, separator);
  return location;
}

std::string BrowseStartFile(const std::string& location, const std::string& databaseFolder) {
  if (!location.empty() && !HasUrlScheme(location)) {
    const std::string slashed = Slashed(location);
    const fs::path path =
        fs::path(slashed).is_absolute() ? fs::path(slashed) : fs::path(Slashed(databaseFolder)) / slashed;
    std::error_code error;
    if (fs::is_regular_file(path, error)) return path.lexically_normal().generic_string();
  }
  return Slashed(databaseFolder) + "*.htm";
}

std::optional<std::string> BrowseLinkLocation(const CZAVDoc& document, const std::string& location) {
  const std::string folder = GetDatabaseFolder(document);
  const auto chosen = platform::Ui().AskOpenFileName({}, {{"HTML files", "*.htm *.html"}, {"All Files", "*"}},
                                                     BrowseStartFile(location, folder));
  if (!chosen || chosen->empty()) return std::nullopt;
  return WithSeparator(RelativeLocation(folder, *chosen), StoredSeparator(document));
}

}  // namespace editors
