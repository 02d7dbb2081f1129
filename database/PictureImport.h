// Importing the pictures a database names from a folder the author picks,
// and resolving each name: a picture in place is left alone, one at the
// same relative name in the import folder is copied, one found elsewhere
// below the import folder is taken from there and the name follows it.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class KeyFolderWriter;
class PictureFolderIndex;
class PictureSourceFolder;

// What resolving one picture did, as bits.
enum ImageOutcome : int {
  kImageIgnored = 0,  // a name that would leave the database folder
  kImageNotFound = 1,
  kImagePathChanged = 2,  // found at another relative path; the name now points there
  kImageCopied = 4,
  kImageMoved = 8,
  kImageExists = 16,          // already in the database folder; nothing copied
  kImageCancelled = 32,       // the author skipped the choice between several places
  kImageTransferFailed = 64,  // with 4 or 8: the copy or move failed; the name is kept
  kImageDatabaseFile = 128,   // names the database, its page or levels file, or any database file
};

// The report line of one picture: " : image file <name>" and what happened.
std::string ImageOutcomeText(const std::string& name, int outcome);

// True when inner lies below outer, comparing whole path components (so a
// sibling "/keys2" is not inside "/keys"); a folder is not inside itself.
bool IsInsideFolder(const std::filesystem::path& inner, const std::filesystem::path& outer);

class PictureImporter {
 public:
  // databaseFile is the open database's file name; with it, its page and
  // levels file (and every ".qor" file) are never moved, copied or renamed.
  PictureImporter(std::filesystem::path importFolder, std::filesystem::path databaseFolder,
                  const std::string& databaseFile = {});
  ~PictureImporter();
  PictureImporter(const PictureImporter&) = delete;
  PictureImporter& operator=(const PictureImporter&) = delete;

  // Resolves one stored name (changed in place when the picture was found
  // elsewhere); label names the record when the author has to choose.
  int ResolveImage(const std::string& label, std::string& name);

  // Resolves every name of a list, appending one line per name; true when
  // a name changed, and the list is then rewritten with each name followed by ";".
  bool ResolveImageList(const std::string& label, std::string& list, std::vector<std::string>& lines);

 private:
  // Where the file of a name not found at its own path lies below the
  // import folder: 0 with the found relative path, else the outcome (not
  // found, or the choice skipped) that ends this picture.
  int FindElsewhere(const std::string& label, const std::string& name, std::string& relative);
  int Transfer(const std::string& newName, const std::string& sourceName, int outcome);
  const PictureFolderIndex& Index();
  // Keeps the index in step with a transfer between the two names, each with
  // its region file: the source is gone after a move, and the destination is
  // new below the import folder when the database folder lies inside it.
  void NoteTransfer(const std::filesystem::path& source, const std::string& newName);
  bool IsDatabaseFile(const std::string& name) const;

  std::filesystem::path m_importFolder;
  std::filesystem::path m_databaseFolder;
  bool m_move;  // pictures are moved, not copied, when both folders are one
  std::unique_ptr<KeyFolderWriter> m_writer;
  std::unique_ptr<PictureSourceFolder> m_source;  // the import folder, held open: every source is read beneath it
  std::vector<std::string> m_databaseFiles;       // the database's own file names
  std::unique_ptr<PictureFolderIndex> m_index;    // built on first need, once per import
  // The database folder relative to the import folder ("." when they are
  // one), when the import folder's walk reaches it.
  std::optional<std::filesystem::path> m_databaseInImport;
};
