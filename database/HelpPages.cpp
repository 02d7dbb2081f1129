#include "database/HelpPages.h"

#include <algorithm>
#include <cstdio>

#include "database/FileTime.h"
#include "database/KeyFolderWriter.h"
#include "database/ProgramFolders.h"
#include "database/TextCodec.h"
#include "database/UtilityFunction.h"
#include "platform/DocumentViews.h"
#include "platform/Ui.h"
#include "database/HtmlEscape.h"

namespace fs = std::filesystem;

namespace {

std::string Describe(const char* heading, const fs::path& path) {
  std::error_code error;
  const auto size = fs::file_size(path, error);
  const CalendarTime written = FileTimeToCalendar(fs::last_write_time(path, error), false);
  char text[128];
  std::snprintf(text, sizeof text, "\n\tSize: %d\n\tDate Created: %d/%d/%d %d:%02d:%02d", static_cast<int>(size),
                written.year, written.month, written.day, written.hour, written.minute, written.second);
  return std::string(heading) + "\n\t" + path.string() + "\t" + text;
}

// After a refused copy: offers to replace the file of the same name.
// False in the inconsistent case where either file cannot be found.
bool OfferReplace(const KeyFolderWriter& folder, const fs::path& source, const fs::path& target) {
  std::error_code error;
  if (!fs::exists(source, error) || !fs::exists(target, error)) {
    platform::Ui().ShowMessage(
        "Severe error copying file.\nCopyFile reported that destination file already exists,\nbut FindFirstFile "
        "cannot find it.\n",
        {}, platform::MessageIcon::Warning);
    return false;
  }
  const std::string question = "Do you want to replace the destination file with the source file?\n\n" +
                               Describe("Source File:", source) + "\n\n" + Describe("Destination File:", target);
  if (!platform::Ui().AskYesNo(question, true)) return true;
  std::string reason;
  if (!folder.CopyFile(source, target, Replacing::Allowed, reason))
    platform::Ui().ShowMessage("Error copying file", {}, platform::MessageIcon::Warning);
  return true;
}

std::string ToStoredName(std::string relative) {
  std::replace(relative.begin(), relative.end(), '/', '\\');
  return relative;
}

}  // namespace

std::optional<fs::path> FindHelpFile(const std::string& fileName) {
  if (!IsPlainRelativeName(fileName)) return std::nullopt;
  const fs::path program = ProgramFolder();
  const fs::path above = program.parent_path();
  const fs::path candidates[] = {StoredNameToPath(program / "hlp", fileName), StoredNameToPath(program, fileName),
                                 StoredNameToPath(above / "hlp", fileName), StoredNameToPath(above, fileName)};
  std::error_code error;
  for (const auto& candidate : candidates)
    if (fs::is_regular_file(candidate, error)) return candidate;
  return std::nullopt;
}

void ShowHelp(const std::string& topic, bool modal) {
  if (topic.find("<html>") != std::string::npos) {
    HelpDisplay().OpenHtmlWindow(topic);
    return;
  }
  const auto hash = topic.find('#');
  const std::string file = topic.substr(0, hash);
  const std::string anchor = hash == std::string::npos ? std::string() : topic.substr(hash);
  const auto found = FindHelpFile(file);
  if (!found) {
    platform::Ui().ShowMessage("Can't find help file : " + file);
    return;
  }
  const std::string address = FileUrl(*found) + anchor;
  if (modal)
    HelpDisplay().ShowHelpDialog(address);
  else
    HelpDisplay().OpenHelpWindow(address);
}

std::string ChooseImageFile(const std::string& current) {
  const std::string folder = GetActiveDatabaseFolder();
  const std::string proposed = current.empty() ? "Please choose" : current.substr(0, current.find(';'));
  const auto chosen = platform::Ui().AskOpenFileName(
      {}, {{"All Images", "*.jpg *.gif *.png *.bmp"}, {"All Files (*.*)", "*"}}, folder + proposed);
  if (!chosen || chosen->empty()) return {};
  if (chosen->rfind(folder, 0) == 0) return ToStoredName(chosen->substr(folder.size()));
  const fs::path source(*chosen);
  const std::string name = source.filename().string();
  const fs::path databaseFolder = fs::path(folder).parent_path();
  if (CompareNoCase(source.parent_path().string(), databaseFolder.string()) == 0) return name;
  if (!platform::Ui().AskYesNo("Copy file to database folder?", true)) return name;
  const fs::path target = databaseFolder / name;
  const KeyFolderWriter writer(databaseFolder);
  std::string reason;
  if (writer.CopyFile(source, target, Replacing::Never, reason)) return name;
  return OfferReplace(writer, source, target) ? name : std::string();
}
