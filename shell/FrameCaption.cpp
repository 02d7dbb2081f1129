#include "shell/FrameCaption.h"

#include "database/ZAVDoc.h"

namespace {

// The last part of the path, whichever separator the stored name uses.
std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string FrameCaption(const CZAVDoc& document) {
  std::string caption = document.GetTitle();
  if (const std::string file = FileNameOf(document.m_pathName); !file.empty()) caption += " (" + file + ")";
  if (document.IsModified()) caption += " *";
  return caption;
}
