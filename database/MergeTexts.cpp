#include "database/MergeTexts.h"

#include "database/DatabaseFiles.h"

std::vector<std::string> SplitAtChar(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
    pieces.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  if (start < text.size()) pieces.push_back(text.substr(start));
  return pieces;
}

void MergeHelpText(std::string& kept, const std::string& incoming) {
  if (kept.find(incoming) != std::string::npos) return;
  kept = incoming + "\r\n" + kept;
}

void MergePictureList(std::string& kept, const std::string& incoming) {
  for (const std::string& piece : SplitAtChar(incoming, ';')) {
    if (kept.find(piece) != std::string::npos) continue;
    if (!kept.empty() && kept.back() != ';') kept += ';';
    kept += piece;
    kept += ';';
  }
}

std::string ProposeMergeOutputPath(const std::string& firstPath) {
  return firstPath.empty() ? std::string() : ReplaceFileExtension(firstPath, "_merge.qor");
}
