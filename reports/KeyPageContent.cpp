#include "reports/KeyPageContent.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace key_page {

namespace {

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::size_t SkipBlanks(const std::string& text, std::size_t at) {
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

// Where the policy goes: past a byte order mark, blanks and a document type.
std::size_t PolicyPlace(const std::string& html) {
  std::size_t at = html.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  const std::size_t start = SkipBlanks(html, at);
  if (Lowered(html.substr(start, 9)) != "<!doctype") return at;
  const std::size_t end = html.find('>', start);
  return end == std::string::npos ? at : end + 1;
}

}  // namespace

std::optional<std::string> ContentTypeOf(const std::string& name) {
  static const std::array<std::pair<const char*, const char*>, 17> kTypes{{
      {"htm", "text/html"},
      {"html", "text/html"},
      {"css", "text/css"},
      {"txt", "text/plain"},
      {"png", "image/png"},
      {"jpg", "image/jpeg"},
      {"jpeg", "image/jpeg"},
      {"gif", "image/gif"},
      {"bmp", "image/bmp"},
      {"webp", "image/webp"},
      {"ico", "image/x-icon"},
      {"tif", "image/tiff"},
      {"tiff", "image/tiff"},
      {"wbmp", "image/vnd.wap.wbmp"},
      {"tga", "image/x-tga"},
      {"jpe", "image/jpeg"},
      {"dib", "image/bmp"},
  }};
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.find('/', dot) != std::string::npos) return std::nullopt;
  const std::string ending = Lowered(name.substr(dot + 1));
  for (const auto& [known, type] : kTypes)
    if (ending == known) return std::string(type);
  return std::nullopt;
}

bool IsHtml(const std::string& contentType) { return contentType == "text/html"; }

const std::string& PagePolicy() {
  static const std::string kPolicy =
      "default-src qorkey: 'self'; script-src 'none'; object-src 'none'; frame-src qorkey:; child-src qorkey:; "
      "worker-src 'none'; connect-src 'none'; form-action 'none'; base-uri qorkey:; manifest-src 'none'; "
      "img-src qorkey: qrc: data:; style-src qorkey: qrc: 'unsafe-inline'; font-src qorkey: qrc:; media-src qorkey:";
  return kPolicy;
}

std::string WithPagePolicy(const std::string& html) {
  std::string result = html;
  result.insert(PolicyPlace(html), "<meta http-equiv=\"Content-Security-Policy\" content=\"" + PagePolicy() + "\">");
  return result;
}

}  // namespace key_page
