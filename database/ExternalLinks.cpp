#include "database/ExternalLinks.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "database/LinkedDocument.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"
#include "database/HtmlEscape.h"

namespace {

constexpr const char* kLinksMarker = "@Links";
constexpr const char* kLinkSeparator = "@$";
constexpr const char* kQorLink = "qorlink:";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The file itself, links followed, must lie in the database folder: a link
// inside the folder that points elsewhere is refused like "..".
// The real path, or an empty one when it leads out.
std::filesystem::path RealPathInside(const std::filesystem::path& path, const std::string& folder) {
  std::error_code error;
  const auto real = std::filesystem::canonical(path, error);
  if (error) return {};
  const auto base = std::filesystem::canonical(folder.empty() ? std::string(".") : folder, error);
  if (error) return {};
  const auto relative = real.lexically_relative(base);
  return !relative.empty() && *relative.begin() != ".." ? real : std::filesystem::path();
}

// The user reads the file the link resolved to and why it did not open;
// the stored form (".\\page.htm" from keys made on Windows) stays in the key.
void ReportLinkError(const std::string& target, const std::string& reason) {
  platform::Ui().ShowMessage("Error running External Link [" + target + "]\n" + reason, "QOR Error",
                             platform::MessageIcon::Error);
}

void OpenDatabaseFile(const std::string& relative, const std::string& folder) {
  const std::filesystem::path path = StoredNameToPath(folder, relative);
  const std::string target = path.lexically_normal().string();
  if (!IsPlainRelativeName(relative))
    return ReportLinkError(target, "Links may open only files inside the database folder.");
  std::error_code error;
  // Only files open: a folder name would show the folder in a file manager.
  if (!std::filesystem::is_regular_file(path, error)) return ReportLinkError(target, "The file does not exist.");
  const std::filesystem::path real = RealPathInside(path, folder);
  if (real.empty()) return ReportLinkError(target, "Links may open only files inside the database folder.");
  // The desktop is handed the file the link resolved to.
  if (const std::string refusal = LinkedDocumentRefusal(real, path.filename().string()); !refusal.empty())
    return ReportLinkError(target, refusal);
  if (!platform::Ui().OpenExternal(FileUrl(real)))
    ReportLinkError(target, "No program on this computer opens this file.");
}

// What follows "qorlink:".
std::string LinkTarget(const std::string& address) { return address.size() > 8 ? address.substr(8) : std::string(); }

// Only the web and mail reach the desktop: any other scheme (file, smb, a
// launcher's own) would let a downloaded database start what it likes.
bool IsDesktopAddress(const std::string& target) {
  if (!HasUrlScheme(target)) return false;
  const std::string scheme = Lower(target.substr(0, target.find(':')));
  return scheme == "http" || scheme == "https" || scheme == "mailto";
}

void RunLinkIn(const std::string& address, const std::string& folder) {
  const std::string rest = LinkTarget(address);
  if (IsDesktopAddress(rest)) {
    if (!platform::Ui().OpenExternal(rest)) ReportLinkError(rest, "No program on this computer opens this address.");
    return;
  }
  OpenDatabaseFile(ReplaceAll(rest, "%20", " "), folder);
}

// A web address needs no database folder; only a file name is looked up in one.
bool IsWebAddress(const std::string& address) { return IsDesktopAddress(LinkTarget(address)); }

}  // namespace

std::string GetDescriptionPart(const std::string& text) {
  const auto marker = text.find(kLinksMarker);
  return marker == std::string::npos ? text : text.substr(0, marker);
}

std::string GetLinksPart(const std::string& text) {
  const auto marker = text.find(kLinksMarker);
  return marker == std::string::npos ? std::string() : text.substr(marker + 6);
}

std::string JoinDescriptionAndLinks(const std::string& description, const std::string& links) {
  return links.empty() ? description : description + kLinksMarker + links;
}

void SplitLinks(const std::string& links, std::vector<std::string>& lines) {
  std::size_t start = 0;
  for (auto end = links.find("\r\n"); end != std::string::npos; end = links.find("\r\n", start)) {
    lines.push_back(links.substr(start, end - start));
    start = end + 2;
  }
}

void SplitLink(const std::string& line, std::string& name, std::string& address) {
  const auto separator = line.find(kLinkSeparator);
  if (separator == std::string::npos) return;
  name = line.substr(0, separator);
  address = line.substr(separator + 2);
}

std::string MakeLink(const std::string& name, const std::string& address) { return name + kLinkSeparator + address; }

std::string LinksToHtml(const std::string& links) {
  if (links.empty()) return {};
  std::vector<std::string> lines;
  SplitLinks(links, lines);
  std::string html = "<div class='links'><span class='linkHeader'>External Links:</span>";
  for (const auto& line : lines) {
    std::string name = line, address;
    SplitLink(line, name, address);
    html += "<a class='external' href=\"qorlink:" + EscapeAttributeValue(address, '"') + "\" >" +
            EscapeAttributeValue(name, '"') + "</a><br/>";
  }
  return html + "</div>";
}

bool IsQorLink(const std::string& address) { return address.rfind(kQorLink, 0) == 0; }

void RunExternalLink(const std::string& address, const CZAVDoc& document) {
  RunLinkIn(address, IsWebAddress(address) ? std::string() : GetDatabaseFolder(document));
}

void RunExternalLink(const std::string& address) {
  RunLinkIn(address, IsWebAddress(address) ? std::string() : GetActiveDatabaseFolder());
}
