// The picture cell every report uses for the pictures of an item, menu or
// attribute: plain pictures or thumbnail pairs, links to the picture viewer,
// and the mark of a missing file.
#include <algorithm>
#include <filesystem>

#include "database/PictureList.h"
#include "database/ZAVDoc.h"
#include "database/HtmlEscape.h"
#include "reports/HtmlWriter.h"
#include "reports/PictureViewer.h"
#include "reports/Report.h"
#include "reports/ReportOptions.h"

namespace {

struct CellContext {
  std::string folder;  // the database folder with its final separator
  std::string base;    // the "[images:" base address, with a final "/"
  bool hasBase = false;
  bool thumbnailsFolder = false;
};

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string Slashed(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

CellContext MakeContext(const CZAVDoc& doc) {
  CellContext context;
  const std::string& path = doc.m_pathName;
  const auto slash = path.find_last_of("\\/");
  context.folder = slash == std::string::npos ? path + "/" : path.substr(0, slash + 1);
  const std::string& description = doc.m_header.description;
  const auto marker = description.find("[images:");
  if (marker != std::string::npos) {
    const auto start = marker + 8;
    const auto close = description.find(']', start);
    std::string base = Trim(description.substr(start, close == std::string::npos ? std::string::npos : close - start));
    if (base.empty() || base.back() != '/') base += '/';
    // Any scheme the description names stays ("https://" above all).
    if (!HasUrlScheme(base)) base = "http://" + base;
    context.base = base;
    context.hasBase = true;
  }
  context.thumbnailsFolder = doc.m_thumbnailFolder[0] != 0;
  return context;
}

std::vector<std::string> SplitNames(const std::string& pictures) {
  std::vector<std::string> names;
  const auto start = pictures.find_first_not_of(" \t\r\n");
  if (start != std::string::npos) SplitList(pictures.substr(start), names);
  return names;
}

std::string StyleFor(int height, bool sized) {
  int h = height;
  if (h < 1 && sized && GalleryOptions::Shared().thumbnailSize > 0) h = GalleryOptions::Shared().thumbnailSize;
  if (h < 1) return {};
  return " style='height:" + std::to_string(std::max(h, 20)) + "px;' ";
}

std::string MouseFor(const std::string* title) {
  if (!title || title->empty()) return {};
  const std::string status = EscapeAttributeValue(EscapeScriptString(*title, '\''), '"');
  return " onMouseOver=\"window.status='" + status + "'\" onMouseOut=\"window.status=''\" ";
}

// What the viewer link lists: pictures found locally or at the base address.
std::string ViewerList(const CellContext& context, const std::vector<std::string>& names,
                       const std::vector<bool>& local, int first, int end, int& count) {
  std::string list;
  count = 0;
  for (int i = first; i < end; ++i) {
    const std::string& name = names[i];
    if (local[i]) {
      list += EncodeViewerPart(Slashed(context.folder + name)) + ";";
    } else if (context.hasBase) {
      list += EncodeViewerPart(context.base + Slashed(name)) + ";";
    } else {
      continue;
    }
    ++count;
  }
  return list;
}

std::string LinkAttribute(const std::string& link) { return EscapeAttributeValue(link, '\''); }

std::string SizedSinglePair(const std::string& src, const std::string& small, const std::string& link,
                            const std::string& rest) {
  const std::string n = std::to_string(++PictureCounter());
  return "<img id='IMG_TN_" + n + "' class='thumbnail' src='" + small + "' alt=\"\"" + rest +
         " onClick='this.className=\"inactiveThumb\"; tmp = document.getElementById(\"IMG_FULL_" + n +
         "\"); tmp.className=\"onThumbnail\"; SetSize();' />" + "<span id='IMG_FULL_" + n + "' class='offThumbnail'>" +
         "<img class='hiddenThumbnail' onLoad='wow(this);' src='" + src + "' alt=\"\"" + rest +
         " onClick='document.getElementById(\"IMG_TN_" + n +
         "\").className=\"thumbnail\"; document.getElementById(\"IMG_FULL_" + n +
         "\").className=\"offThumbnail\";' />" + "\n<a class='viewfullscreen' href='" + LinkAttribute(link) +
         "'>Click Here To View Full Screen</a>\n" + "</span>";
}

}  // namespace

void CReport::ImageCell(std::string& output, const std::string& pictures, int height, const std::string* title,
                        bool sized, int* counter, bool linked, int first, int* pageLimit, int stop) const {
  const CellContext context = MakeContext(*m_pDoc);
  const std::string style = StyleFor(height, sized);
  const std::string mouse = MouseFor(title);
  const std::string viewerTitle = title ? EncodeViewerPart(*title) : std::string();
  const std::vector<std::string> names = SplitNames(pictures);
  if (names.empty()) {
    output = linked ? "<div id='gallery'></div>" : "";
    return;
  }
  int end = static_cast<int>(names.size());
  if (pageLimit) {
    end = std::min(end, first + *pageLimit);
    *pageLimit = static_cast<int>(names.size());
  }
  // Each file is looked up once, though both the viewer list and the cell ask.
  const int start = std::max(first, 0);
  std::vector<bool> local(names.size(), false);
  for (int i = start; i < end; ++i) local[i] = LocalFileExists(context.folder + names[i]);
  int viewerCount = 0;
  const std::string viewerList =
      (linked && first < end) ? ViewerList(context, names, local, start, end, viewerCount) : std::string();
  const bool multi = linked && (end >= 2 || !sized);
  const std::string rest = mouse + style;
  std::string cell;
  int written = 0;
  for (int i = start; i < end && !(stop && i >= stop); ++i) {
    if (counter) ++*counter;
    const std::string& name = names[i];
    const std::string thumbnail = context.folder + "Thumbnails/" + name;
    // Only a missing picture is "missing"; a thumbnail stands in when it exists.
    const bool missing = !local[i];
    if (missing && !context.hasBase) {
      cell += "\n<span class='im_missing'>Image file " + TextToHtml(name) + " missing</span>\n";
      continue;
    }
    const std::string path = Slashed(context.folder + name);
    const std::string address = missing ? context.base + Slashed(name) : path;
    const std::string src =
        EscapeAttributeValue(missing ? context.base + PercentEncode(Slashed(name)) : FileUrl(path), '\'');
    const std::string small = (context.thumbnailsFolder && !missing && LocalFileExists(thumbnail))
                                  ? EscapeAttributeValue(FileUrl(Slashed(thumbnail)), '\'')
                                  : src;
    const std::string link = multi ? "qorlink::images//" + std::to_string(viewerCount) + "/" + std::to_string(written) +
                                         "/" + viewerTitle + ";" + viewerList
                                   : "qorlink::images//1/0/" + viewerTitle + ";" + EncodeViewerPart(address) + ";";
    if (!sized && multi)
      cell += "\n<a href='" + LinkAttribute(link) + "'>\n<img class='hiddenThumbnail' onLoad='wow(this);' src='" + src +
              "'/ alt=\"\"" + rest + "/></a>\n\n";
    else if (!sized)
      cell += "<img class='NoThumbnail' src='" + src + "'/ alt=\"\"" + rest + "/>\n\n";
    else if (multi)
      cell += "\n<a href='" + LinkAttribute(link) + "'>\n<img class='offThumbnail' src='" + small + "' alt=\"\"" +
              rest + " /></a>";
    else
      cell += SizedSinglePair(src, small, link, rest);
    ++written;
  }
  if (multi && !cell.empty())
    output = "<div class='images'>" + cell + "</div>";
  else if (linked)
    output = "<div id='gallery'>" + cell + "</div>";
  else
    output = cell;
}
