#include "reports/PictureViewer.h"

#include <charconv>

#include "database/HtmlEscape.h"
#include "reports/HtmlWriter.h"

namespace {

std::vector<std::string> SplitPictures(const std::string& list) {
  std::vector<std::string> pictures;
  std::size_t pos = 0;
  for (;;) {
    const auto semicolon = list.find(';', pos);
    const std::string piece = list.substr(pos, semicolon == std::string::npos ? std::string::npos : semicolon - pos);
    if (!piece.empty()) pictures.push_back(DecodeViewerPart(piece));
    if (semicolon == std::string::npos) return pictures;
    pos = semicolon + 1;
  }
}

// An entry as an image address: web addresses stay, local paths become file URLs.
std::string ImageAddress(const std::string& entry) {
  return EscapeAttributeValue(HasUrlScheme(entry) ? entry : FileUrl(entry), '\'');
}

constexpr const char* kViewerScript = R"(<html><script language='javascript'>
function SetSize(img) {
 if (img.className == 'full') return;
 img.style.visibility = 'hidden';
 var box = document.getElementById('big') || document.getElementById('bignothumbnails');
 img.className = (box && box.scrollWidth > img.width) ? 'fit-full' : 'fit-x';
 img.removeAttribute('width');
 img.style.visibility = 'visible';
}
function toggleSize(img) {
 if (img.className == 'fit-full') img.className = 'fit-stretch';
 else if (img.className == 'fit-stretch') img.className = 'fit-full';
 else if (img.className == 'fit-x') img.className = 'full';
 else if (img.className == 'full') img.className = 'fit-x';
 setTimeout(MoveThumbs, 10);
}
function MoveThumbs() {
 var strip = document.getElementById('thumbnails') || document.getElementById('nothumbnails');
 if (!strip) return;
 strip.style.top = document.body.scrollTop + 'px';
 strip.style.left = document.body.scrollLeft + 'px';
}
function DimThumbs() { var s = document.getElementById('thumbnails') || document.getElementById('nothumbnails'); if (s) { s.style.opacity = %DIM% / 100; } }
function ShowThumbs() { var s = document.getElementById('thumbnails') || document.getElementById('nothumbnails'); if (s) { s.style.opacity = 85 / 100; } }
function SetImage(src) {
 window.scrollTo(0, 0);
 document.getElementById('mainImage').src = src;
 MoveThumbs();
}
</script>
)";

std::string MainImage(const std::string& address, const std::string& title) {
  return "<img id='mainImage' class='fit-x' src='" + address + "' alt='" + title +
         "' onLoad='SetSize(this); MoveThumbs();' onClick='toggleSize(this);'/>";
}

std::string Head(const std::string& databasePath, bool withThumbnails) {
  const std::string script = ReplaceAll(kViewerScript, "%DIM%", withThumbnails ? "0" : "45");
  return script + "<head>" + StyleSheetLink(&databasePath) + StyleSheetLink(nullptr) + "</head>\n" +
         "<body class='thumbnails' onload='MoveThumbs();' onscroll='MoveThumbs();' "
         "onResize='SetSize(document.getElementById(\"mainImage\")); MoveThumbs();'>\n";
}

}  // namespace

std::string EncodeViewerPart(const std::string& text) { return ReplaceAll(ReplaceAll(text, "%", "%25"), ";", "%3B"); }

std::string DecodeViewerPart(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string code = text.compare(i, 1, "%") == 0 ? text.substr(i, 3) : std::string();
    if (code == "%25")
      out += '%';
    else if (code == "%3B" || code == "%3b")
      out += ';';
    else if (code == "%20")
      out += ' ';
    else {
      out += text[i];
      continue;
    }
    i += 2;
  }
  return out;
}

std::optional<ViewerRequest> ParseViewerAddress(const std::string& rest) {
  const std::string text = ReplaceAll(rest, "&apos;", "'");
  const auto slash1 = text.find('/');
  if (slash1 == std::string::npos || slash1 == 0) return std::nullopt;
  const auto slash2 = text.find('/', slash1 + 1);
  if (slash2 == std::string::npos || slash2 == slash1 + 1) return std::nullopt;
  const auto semicolon = text.find(';', slash2 + 1);
  if (semicolon == std::string::npos || semicolon == slash2 + 1) return std::nullopt;
  ViewerRequest request;
  const char* begin = text.data() + slash1 + 1;
  const char* end = text.data() + slash2;
  const auto [ptr, error] = std::from_chars(begin, end, request.first);
  if (error != std::errc() || ptr != end) return std::nullopt;
  request.title = DecodeViewerPart(text.substr(slash2 + 1, semicolon - slash2 - 1));
  request.pictures = SplitPictures(text.substr(semicolon + 1));
  if (request.pictures.empty()) return std::nullopt;
  return request;
}

std::string MakeViewerPage(const ViewerRequest& request, const std::string& databasePath) {
  const int count = static_cast<int>(request.pictures.size());
  const bool inRange = request.first >= 0 && request.first < count;
  const std::string main = inRange ? ImageAddress(request.pictures[request.first]) : std::string();
  const std::string title = EscapeAttributeValue(request.title, '\'');
  const std::string back = "<a href='qorlink::closedoc'>Back</a>";
  if (count < 2)
    return Head(databasePath, false) + "<div id='bignothumbnails'>" + MainImage(main, title) + "</div>\n" +
           "<div id='nothumbnails' onMouseOver='ShowThumbs();' onMouseOut='DimThumbs();'>" + back +
           "</div>\n</body></html>";
  std::string strip;
  for (const auto& picture : request.pictures)
    strip += "<img src='" + ImageAddress(picture) + "' onClick='SetImage(this.src);' alt='" + title + "'/>";
  return Head(databasePath, true) + "<div id='big'>" + MainImage(main, title) + "</div>\n" + "<div class='close'>" +
         back + "</div>\n" + "<div id='thumbnails' onMouseOver='ShowThumbs();' onMouseOut='DimThumbs();'>" +
         "<div id='thumbpictures'>" + strip + "</div></div>\n</body></html>";
}
