#include "database/PictureImport.h"

#include <algorithm>
#include <system_error>

#include "database/DatabaseFiles.h"
#include "database/KeyFolderWriter.h"
#include "database/LevelNames.h"
#include "database/PictureFolderIndex.h"
#include "database/PictureList.h"
#include "database/PictureTransfer.h"
#include "database/Records.h"
#include "database/TextCodec.h"
#include "database/UtilityFunction.h"
#include "platform/LocationChooser.h"
#include "platform/Ui.h"

namespace fs = std::filesystem;

namespace {

const char* OutcomeSentence(int outcome) {
  switch (outcome) {
    case kImageIgnored:
      return " is ignored.";
    case kImageNotFound:
      return " is not found.";
    case kImageCopied:
    case kImageMoved:
      return " is copied.";
    case kImagePathChanged | kImageCopied:
      return " is copied and path is changed.";
    case kImagePathChanged | kImageMoved:
      return " is moved and path is changed.";
    case kImageExists:
      return " already exists, skipped.";
    case kImagePathChanged | kImageExists:
      return " already exists, path is changed.";
    case kImageCancelled:
      return " - cancelled by user";
    case kImageTransferFailed | kImageCopied:
      return " could not be copied.";
    case kImageTransferFailed | kImageMoved:
      return " could not be moved.";
    case kImageDatabaseFile:
      return " is a file of the database itself, skipped.";
    default:
      return " ??? ";
  }
}

// Both texts name the same folder, whatever separators they end with.
bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::equivalent(a, b, error) && !error) return true;
  return (a / "").lexically_normal() == (b / "").lexically_normal();
}

std::string LastComponent(const std::string& name) {
  const auto slash = name.find_last_of("\\/");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

// A found folder (".\\sub\\") joined with the file name, in the stored form ("sub\\x.jpg").
std::string JoinFound(std::string folder, const std::string& fileName) {
  if (folder.rfind(".\\", 0) == 0) folder.erase(0, 2);
  return folder + fileName;
}

std::string FolderPart(const std::string& name) {
  const auto slash = name.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : name.substr(0, slash);
}

// Where the database folder lies below the import folder, as the import
// folder's walk reaches it: both are resolved to their real places, so the
// way from one to the other passes through no link.
std::optional<fs::path> DatabaseFolderInImport(const fs::path& importFolder, const fs::path& databaseFolder) {
  std::error_code error;
  const fs::path import = fs::canonical(importFolder, error);
  if (error) return std::nullopt;
  const fs::path database = fs::canonical(databaseFolder, error);
  if (error) return std::nullopt;
  if (import == database) return fs::path(".");
  if (!IsInsideFolder(database, import)) return std::nullopt;
  return database.lexically_relative(import);
}

fs::path WithRegionEnding(fs::path picture) {
  picture += ".regions";
  return picture;
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

void Trace(const std::string& line) { platform::Ui().Trace(line); }

}  // namespace

std::string ImageOutcomeText(const std::string& name, int outcome) {
  return " : image file " + name + OutcomeSentence(outcome);
}

bool IsInsideFolder(const fs::path& inner, const fs::path& outer) {
  auto parts = [](const fs::path& path) {
    std::vector<fs::path> list;
    for (const auto& part : path.lexically_normal())
      if (!part.empty()) list.push_back(part);
    return list;
  };
  const auto in = parts(inner);
  const auto out = parts(outer);
  return in.size() > out.size() && std::equal(out.begin(), out.end(), in.begin());
}

PictureImporter::PictureImporter(fs::path importFolder, fs::path databaseFolder, const std::string& databaseFile)
    : m_importFolder(std::move(importFolder)),
      m_databaseFolder(std::move(databaseFolder)),
      m_move(SameFolder(m_importFolder, m_databaseFolder)),
      m_writer(std::make_unique<KeyFolderWriter>(m_databaseFolder)),
      m_source(std::make_unique<PictureSourceFolder>(m_importFolder)),
      m_databaseInImport(DatabaseFolderInImport(m_importFolder, m_databaseFolder)) {
  if (databaseFile.empty()) return;
  m_databaseFiles = {databaseFile, LastComponent(DatabasePagePath(databaseFile)),
                     LastComponent(LevelNamesFilePath(databaseFile))};
}

// Compared without letter case: the file-system helper finds a name whose
// case differs, so "KEY.QOR" would reach "key.qor".
bool PictureImporter::IsDatabaseFile(const std::string& name) const {
  const std::string fileName = LastComponent(name);
  if (fileName.size() >= 4 && CompareNoCase(fileName.substr(fileName.size() - 4), ".qor") == 0) return true;
  return std::any_of(m_databaseFiles.begin(), m_databaseFiles.end(),
                     [&](const std::string& own) { return CompareNoCase(own, fileName) == 0; });
}

PictureImporter::~PictureImporter() = default;

const PictureFolderIndex& PictureImporter::Index() {
  if (!m_index) m_index = std::make_unique<PictureFolderIndex>(m_importFolder);
  return *m_index;
}

int PictureImporter::ResolveImage(const std::string& label, std::string& name) {
  Trace("-------- Image start ------\n");
  // A name that leaves the database folder would make folders and write files elsewhere.
  if (!IsPlainRelativeName(name)) return kImageIgnored;
  if (IsDatabaseFile(name)) return kImageDatabaseFile;
  const fs::path destination = StoredNameToPath(m_databaseFolder, name);
  Trace("2) Destination image path [" + destination.string() + "]\n");
  if (Exists(destination)) return kImageExists;
  const fs::path source = StoredNameToPath(m_importFolder, name);
  Trace("3) Source image path [" + source.string() + "]\n");
  if (Exists(source)) return Transfer(name, name, 0);
  std::string relative;
  const int found = FindElsewhere(label, name, relative);
  if (found != 0) return found;
  Trace("4) Found relative image path [" + relative + "]\n");
  if (IsDatabaseFile(relative)) return kImageDatabaseFile;
  // Found at the top of the import folder: the stored name keeps its folders.
  const std::string newName = relative != LastComponent(name) ? relative : name;
  const int outcome = Transfer(newName, relative, newName != name ? kImagePathChanged : 0);
  if (!(outcome & kImageTransferFailed)) name = newName;
  return outcome;
}

int PictureImporter::FindElsewhere(const std::string& label, const std::string& name, std::string& relative) {
  const std::string fileName = LastComponent(name);
  const auto& folders = Index().FoldersHolding(fileName);
  if (folders.empty()) return kImageNotFound;
  std::size_t chosen = 0;
  if (folders.size() > 1) {
    const auto row = platform::Chooser().ChooseLocation(label, name, folders);
    if (!row || *row < 0 || static_cast<std::size_t>(*row) >= folders.size()) return kImageCancelled;
    chosen = static_cast<std::size_t>(*row);
  }
  relative = JoinFound(folders[chosen], fileName);
  return 0;
}

// Brings the picture of sourceName (relative to the import folder) to
// newName (relative to the database folder). The source is read only beneath
// the import folder: one that leads out of it counts as a failed copy.
int PictureImporter::Transfer(const std::string& newName, const std::string& sourceName, int outcome) {
  const fs::path destination = StoredNameToPath(m_databaseFolder, newName);
  if (Exists(destination)) return outcome | kImageExists;  // also a source that is the destination itself
  const fs::path source = StoredNameToPath(fs::path(), sourceName);
  const int done = m_move ? kImageMoved : kImageCopied;
  if (!m_writer->MakeFolders(FolderPart(newName)) || !TransferFile(*m_writer, *m_source, source, destination, m_move))
    return done | kImageTransferFailed;
  CopyRegionFile(*m_writer, *m_source, source, destination, m_move);
  NoteTransfer(source, newName);
  return outcome | done;
}

void PictureImporter::NoteTransfer(const fs::path& source, const std::string& newName) {
  if (!m_index) return;  // a walk made later sees the folder as it is
  std::vector<fs::path> changed;
  if (m_move) changed = {source, WithRegionEnding(source)};
  if (m_databaseInImport) {
    const fs::path destination = (*m_databaseInImport / StoredNameToPath(fs::path(), newName)).lexically_normal();
    changed.push_back(destination);
    changed.push_back(WithRegionEnding(destination));
  }
  for (const fs::path& file : changed) m_index->Update(file);
}

bool PictureImporter::ResolveImageList(const std::string& label, std::string& list, std::vector<std::string>& lines) {
  std::string text = list;
  TrimSpaces(text);
  if (text.empty()) return false;
  std::vector<std::string> names;
  SplitList(text, names);
  bool changed = false;
  for (auto& name : names) {
    std::string resolved = name;
    const int outcome = ResolveImage(label, resolved);
    if (resolved != name) {
      name = resolved;
      changed = true;
    }
    lines.push_back(ImageOutcomeText(name, outcome));
  }
  if (changed) list = JoinWithSemicolons(names);
  return changed;
}
