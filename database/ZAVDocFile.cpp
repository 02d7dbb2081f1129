// Opening, saving and creating a database, with the files beside it.
#include <atomic>
#include <filesystem>

#include "database/ArchiveFile.h"
#include "database/AtomicFile.h"
#include "database/DatabaseFiles.h"
#include "database/DiskFileStamp.h"
#include "database/WorkerPool.h"
#include "platform/DocumentHost.h"
#include "database/LevelNames.h"
#include "database/MarkLog.h"
#include "database/OutputFile.h"
#include "database/ReadBeside.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

namespace fs = std::filesystem;

namespace {

// Holds back the XML dumps of stores while it lives, also when one throws.
class HeldStoreDumps {
 public:
  explicit HeldStoreDumps(bool& hold) : m_hold(hold) { m_hold = true; }
  ~HeldStoreDumps() { m_hold = false; }
  HeldStoreDumps(const HeldStoreDumps&) = delete;
  HeldStoreDumps& operator=(const HeldStoreDumps&) = delete;

 private:
  bool& m_hold;
};

void ShowOpenFailure(const std::string& path, const std::string& reason) {
  std::string text = "Cannot open the database \"" + path + "\": " + reason;
  if (text.back() != '.') text += '.';
  platform::Ui().ShowMessage(text, {}, platform::MessageIcon::Error);
}

void ShowSaveFailure(const std::string& path, const std::string& reason) {
  std::string text = "Cannot save the database \"" + path + "\": " + reason + ". The file on disk is unchanged.";
  if (reason == kReadOnlyReason) text += " Use Save As to keep your changes in another file.";
  platform::Ui().ShowMessage(text, {}, platform::MessageIcon::Error);
}

// The level names live in their own file; when it cannot be written the
// document keeps them as unsaved changes.
bool SaveLevelNames(LevelNames& levels) {
  if (!levels.inUse) {
    if (levels.Exists()) levels.Remove();
    return true;
  }
  if (!levels.Save()) {
    platform::Ui().ShowMessage(
        "Cannot save the level names in \"" + levels.path + "\". The database was saved; the level names were not.", {},
        platform::MessageIcon::Error);
    return false;
  }
  levels.modified = false;
  return true;
}

// The first characters of the title that can stand in a file name.
std::string ProposedFileName(const std::string& title) {
  return title.substr(0, title.find_first_of(" #%;/\\")) + ".qor";
}

// Tells the read's end as it leaves, also when the read throws: a caller
// waiting beside it must wake.
struct ReadEnds {
  std::atomic<bool>& reading;
  ReadBeside& beside;
  ~ReadEnds() {
    reading = false;
    beside.ReadEnded();
  }
};

}  // namespace

std::string CZAVDoc::GetTitle() const { return m_header.title.empty() ? "Untitled" : m_header.title; }

void CZAVDoc::ResetMarks() {
  m_marks.assign(m_attributes.size(), MARK_CLEAR);
  m_markedCount = 0;
  m_markLog.clear();
  m_attributesChanged = 0;
  ResetItemStates(false);
  UpdateRemainingItems();
  UpdateIdentifiedStatus(true);
}

bool CZAVDoc::OnOpenDocument(const std::string& path) {
  NothingBesideRead nothing;
  return OnOpenDocument(path, nothing);
}

bool CZAVDoc::OnOpenDocument(const std::string& path, ReadBeside& beside) {
  if (IsModified()) platform::Ui().Trace("Opening " + path + " replaces a document with unsaved changes");
  ArchiveFile file;
  std::string reason;
  bool read = false;
  // The file is read and checked beside the caller's part, into a document
  // of its own; this one is changed only once both have ended.
  CZAVDoc fields;
  LoadResult parsed = LoadResult::Ok;
  {
    platform::WaitCursor wait;
    std::atomic<bool> reading{false};
    worker_pool::RunBeside(
        [&] {
          reading = true;
          const ReadEnds ends{reading, beside};
          read = file.Open(path, reason);
          if (read && file.size() > 0) parsed = ReadFields(file, fields, &reason);
        },
        [&] { beside.WhileReading([&] { return reading.load(); }); });
  }
  // A read that failed midway is no damage of the file's: it leaves this
  // document as one that failed at once, with the system's reason.
  if (const std::string failed = file.readError(); !read || !failed.empty()) {
    ShowOpenFailure(path, read ? failed : reason);
    return false;
  }
  // A file that is no database is refused by its name, before this document
  // changes: an empty one would otherwise pass for a new, untitled database.
  if (file.size() == 0) {
    ShowOpenFailure(path, "the file is empty, it is not a QOR database");
    return false;
  }
  if (parsed == LoadResult::InvalidFormat) {
    ShowOpenFailure(path, "Invalid QOR Database Format");
    return false;
  }
  DeleteContents();
  SetModifiedFlag();
  {
    platform::WaitCursor wait;
    const LoadResult result = AdoptFields(parsed, fields);
    if (result != LoadResult::Ok) {
      // A refused file must not pass for an empty database under its own name.
      DeleteContents();
      ShowOpenFailure(path, reason.empty() ? "the file is damaged" : reason);
      return false;
    }
  }
  SetModifiedFlag(false);
  m_pathName = path;
  m_diskStamp =
      std::make_shared<const DiskFileStamp>(DiskFileStamp::Of(file.status(), file.contentHash(kHashedFileLimit)));
  m_diskStampPath = path;

  RecountItems();
  ResetMarks();
  UpdateAttributeCounts();

  const std::string thumbnails = ThumbnailsFolderPath(path);
  std::error_code error;
  const int hasThumbnails = !thumbnails.empty() && fs::is_directory(thumbnails, error) ? 1 : 0;
  m_thumbnailFolder[0] = m_thumbnailFolder[1] = hasThumbnails;

  m_levelNames->SetFilePath(path);
  m_levelNames->Load();
  m_levelNames->modified = false;
  if (m_levelNames->Exists()) m_levelNames->inUse = m_levelNames->modified = true;
  return true;
}

bool CZAVDoc::OnSaveDocument(const std::string& path) {
  std::string reason;
  // The save's XML dump, many times the file's size for a large key, starts
  // once the file is on the disk: written beside it, it would hold up the sync.
  const std::uint64_t heldBefore = m_pendingXmlDumpEvent;
  bool stored = false;
  std::uint64_t writtenHash = 0;
  {
    const HeldStoreDumps held(m_holdXmlDumpOfStore);
    const auto store = [&](std::ostream& out) {
      // The bytes are hashed on their way, to know the file again at the next save.
      HashingStreamBuf hashing(*out.rdbuf());
      std::ostream hashed(&hashing);
      if (Store(hashed) && hashed.flush()) {
        writtenHash = hashing.Hash();
        return true;
      }
      reason = "the database could not be written";
      return false;
    };
    // A merge's output is a new file at a name from the key's folder: it is
    // never written through a link, whereas a database opened through one
    // is saved into the link's target.
    stored = !m_mergeOutputPath.empty() && path == m_mergeOutputPath ? WriteOutputFile(path, store, reason)
                                                                     : WriteFileAtomically(path, store, reason);
  }
  // The store's own dump only; a load's dump still held keeps waiting.
  if (m_pendingXmlDumpEvent != heldBefore) WritePendingXmlDump();
  if (!stored) {
    ShowSaveFailure(path, reason);
    return false;
  }
  RememberWrittenFile(path, writtenHash);
  WriteDatabasePageIfMissing(path);
  m_levelNames->SetFilePath(path);
  const bool saved = SaveLevelNames(*m_levelNames);
  SetModifiedFlag(!saved);
  return saved;
}

void CZAVDoc::RememberWrittenFile(const std::string& path, std::uint64_t contentHash) {
  const std::optional<DiskFileStamp> stamp = StampOfFile(path, contentHash);
  m_diskStamp = stamp ? std::make_shared<const DiskFileStamp>(*stamp) : nullptr;
  m_diskStampPath = path;
}

bool CZAVDoc::DiskFileChangedSinceReadOrWritten() const {
  return m_diskStamp && !m_pathName.empty() && m_diskStampPath == m_pathName &&
         DiskFileChanged(m_pathName, *m_diskStamp);
}

bool CZAVDoc::Save() {
  if (m_pathName.empty()) return SaveAsNew({}, true);
  if (DiskFileChangedSinceReadOrWritten() &&
      !platform::Ui().AskYesNo(m_pathName + " was changed by another program since it was opened.\n"
                                            "Do you want to replace it?",
                               false))
    return SaveAsNew(m_pathName, true);
  platform::WaitCursor wait;
  return OnSaveDocument(m_pathName);
}

bool CZAVDoc::OnNewDocument() {
  DeleteContents();
  m_pathName.clear();
  RecountItems();
  ResetMarks();
  if (!Host().EditDescription(*this)) return false;
  platform::Ui().ShowMessage("You must save QOR file to work with.");
  return SaveAsNew({}, true);
}

bool CZAVDoc::SaveAsNew(const std::string& path, bool replace) {
  (void)replace;  // the dialog always asks before replacing a file
  std::string proposed = !path.empty() ? path : !m_pathName.empty() ? m_pathName : ProposedFileName(GetTitle());
  // A save that fails (its reason already shown) asks again with the name
  // the user chose: only Cancel gives up, so a new database is never lost
  // to a folder that does not exist or cannot be written.
  for (;;) {
    const auto chosen = platform::Ui().AskSaveFileName("Save As", {{"QOR Database (*.qor)", "*.qor"}}, proposed);
    if (!chosen || chosen->empty()) return false;
    bool saved = false;
    {
      platform::WaitCursor wait;
      // The save is atomic, so a failure leaves nothing half-written to delete;
      // it also writes the database page beside the new file when there is none.
      saved = OnSaveDocument(*chosen);
    }
    if (saved) {
      m_pathName = *chosen;
      Host().AddRecentFile(*chosen);
      return true;
    }
    proposed = *chosen;
  }
}

std::string CZAVDoc::GetOpeningPagePath() const {
  if (!m_pathName.empty()) {
    const std::string page = DatabasePagePath(m_pathName);
    std::error_code error;
    if (fs::is_regular_file(page, error)) return page;
  }
  return FindProgramDataFile("Opening Page/QOR.htm");
}
