#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>
#include <filesystem>
#include <sstream>

#include "database/AtomicFile.h"
#include "database/DatabaseFiles.h"
#include "database/DatabaseHeader.h"
#include "database/DiskFileStamp.h"
#include "platform/DocumentHost.h"
#include "database/LevelNames.h"
#include "database/ProgramFolders.h"
#include "database/ReadBeside.h"
#include "database/WorkerPool.h"
#include "database/XmlDump.h"
#include "fakes/HangGuard.h"
#include "fakes/ScriptedUi.h"
#include "items/ItemsTestSupport.h"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<CZAVDoc> SmallDatabase() {
  auto doc = MakeDocument(true, true);
  doc->m_header.title = "Birds";
  auto root = std::make_unique<CQMenudata>();
  root->kind = MENU_OF_ATTRIBUTES;
  root->title = "Colour";
  root->children = {0};
  doc->m_menus.push_back(std::move(root));
  CQAttdata& red = doc->GetOrCreateAttribute(0);
  red.menuIndex = 0;
  red.name = "Red";
  Add(*doc, "Robin", "Erithacus", "rubecula", "Muscicapidae");
  Add(*doc, "Wren", "Troglodytes", "troglodytes", "Troglodytidae");
  return doc;
}

bool ContainsMessage(const ScriptedUi& ui, const std::string& part) {
  for (const auto& text : ui.Messages())
    if (text.find(part) != std::string::npos) return true;
  return false;
}

// Answers the description editor and records the recent files.
class ScriptedHost : public DocumentHost {
 public:
  ScriptedHost() { SetDocumentHost(this); }
  ~ScriptedHost() override { SetDocumentHost(nullptr); }
  bool EditDescription(CZAVDoc& document) override {
    if (accept) document.m_header.title = title;
    return accept;
  }
  void AddRecentFile(const std::string& path) override { recent.push_back(path); }
  bool accept = true;
  std::string title = "My key #2";
  std::vector<std::string> recent;
};

// Records the name a save dialog proposed.
class ProposalUi : public ScriptedUi {
 public:
  std::optional<std::string> AskSaveFileName(const std::string& title, const std::vector<platform::FileFilter>& f,
                                             const std::string& initialPath) override {
    proposals.push_back(initialPath);
    return ScriptedUi::AskSaveFileName(title, f, initialPath);
  }
  std::vector<std::string> proposals;
};

}  // namespace

TEST(DatabaseFiles, ThePageReplacesOnlyTheFileNameExtension) {
  EXPECT_EQ(DatabasePagePath("/d/keys/birds.qor"), "/d/keys/birds.htm");
  EXPECT_EQ(DatabasePagePath("/d/v1.2/birds"), "/d/v1.2/birds.htm");
  EXPECT_EQ(DatabasePagePath("C:\\v1.2\\birds"), "C:\\v1.2\\birds.htm");
  EXPECT_EQ(ThumbnailsFolderPath("/d/keys/birds.qor"), "/d/keys/Thumbnails/");
  EXPECT_EQ(ThumbnailsFolderPath("birds.qor"), "");
}

TEST(SaveAndOpen, RoundTripRestoresTheItemsAndStartsWithEverythingRemaining) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  WaitForXmlDump();
  EXPECT_TRUE(fs::exists("TEST.qorx"));

  CZAVDoc opened;
  ASSERT_TRUE(opened.OnOpenDocument(path)) << ::testing::PrintToString(ui.Messages());
  EXPECT_EQ(opened.m_pathName, path);
  EXPECT_FALSE(opened.IsModified());
  EXPECT_EQ(opened.ItemCount(), 2);
  EXPECT_EQ(opened.m_header.title, "Birds");
  EXPECT_EQ(opened.m_usedCount, 2);
  EXPECT_EQ(opened.m_remainingCount, 2);
  EXPECT_EQ(opened.m_itemStates, (std::vector<BYTE>{STATE_REMAINING, STATE_REMAINING}));
  EXPECT_EQ(opened.m_thumbnailFolder[0], 0);
  EXPECT_TRUE(ui.Messages().empty());

  fs::create_directory(temp.path() / "Thumbnails");
  CZAVDoc again;
  ASSERT_TRUE(again.OnOpenDocument(path));
  EXPECT_EQ(again.m_thumbnailFolder[0], 1);
  EXPECT_EQ(again.m_thumbnailFolder[1], 1);
}

TEST(SaveAndOpen, ThePageIsWrittenOnceAndThenLeftAlone) {
  TempFolder temp;
  ScriptedUi ui;
  auto doc = SmallDatabase();
  const std::string path = temp.File("birds.qor");
  const std::string page = temp.File("birds.htm");
  ASSERT_TRUE(doc->OnSaveDocument(path));
  EXPECT_EQ(ReadFile(page), GeneratedPageText(page));
  EXPECT_NE(ReadFile(page).find("This page (" + page + ") was automatically generated"), std::string::npos);
  WriteFile(page, "edited by the author");
  ASSERT_TRUE(doc->OnSaveDocument(path));
  EXPECT_EQ(ReadFile(page), "edited by the author");
  doc->m_pathName = path;
  EXPECT_EQ(doc->GetOpeningPagePath(), page);
}

TEST(SaveAndOpen, TheLevelsFileIsWrittenWhenInUseAndDeletedOtherwise) {
  TempFolder temp;
  ScriptedUi ui;
  auto doc = SmallDatabase();
  const std::string path = temp.File("birds.qor");
  LevelNames& levels = *doc->m_levelNames;
  levels.common = "Vernacular";
  levels.family = "";
  levels.genus = "Group";
  levels.species = "Kind";
  levels.inUse = levels.modified = true;
  ASSERT_TRUE(doc->OnSaveDocument(path));
  EXPECT_FALSE(levels.modified);
  EXPECT_EQ(ReadFile(path + ".levels.dat"),
            "[LevelNames]\r\nCommon=Vernacular\r\nFamily=\r\nGenus=Group\r\nSpecies=Kind\r\n");

  CZAVDoc opened;
  ASSERT_TRUE(opened.OnOpenDocument(path));
  EXPECT_TRUE(opened.m_levelNames->inUse);
  EXPECT_EQ(opened.m_levelNames->common, "Vernacular");
  EXPECT_EQ(opened.m_levelNames->family, "");
  EXPECT_EQ(opened.m_levelNames->species, "Kind");

  opened.m_levelNames->inUse = false;
  ASSERT_TRUE(opened.OnSaveDocument(path));
  EXPECT_FALSE(fs::exists(path + ".levels.dat"));

  CZAVDoc without;
  ASSERT_TRUE(without.OnOpenDocument(path));
  EXPECT_FALSE(without.m_levelNames->inUse);
  EXPECT_EQ(without.m_levelNames->genus, "Genus");  // a missing key reads as its own name
}

TEST(SaveAndOpen, ThroughASymbolicLinkTheTargetIsReplacedAndTheLinkStays) {
  TempFolder temp;
  ScriptedUi ui;
  fs::create_directory(temp.path() / "store");
  const std::string target = temp.File("store/birds.qor");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(target));
  const fs::path link = temp.path() / "birds.qor";
  fs::create_symlink("store/birds.qor", link);
  auto changed = SmallDatabase();
  Add(*changed, "Jay", "Garrulus", "glandarius", "Corvidae");
  ASSERT_TRUE(changed->OnSaveDocument(link.string()));
  EXPECT_TRUE(fs::is_symlink(link));
  CZAVDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(target));
  EXPECT_EQ(reopened.ItemCount(), 3);
}

TEST(SaveAndOpen, LevelNamesSurviveTheRoundTripWhateverTheirCharacters) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  for (const char* name : {"\xC3\x83\xC2\xA9", "Gem\xC3\xBCse", "\xCE\xA9 and \xC3\x83\xC2\xA9", ""}) {
    auto doc = SmallDatabase();
    doc->m_levelNames->common = name;
    doc->m_levelNames->inUse = true;
    ASSERT_TRUE(doc->OnSaveDocument(path));
    CZAVDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path));
    EXPECT_EQ(opened.m_levelNames->common, name);
  }
}

TEST(SaveAndOpen, AnEmptyPageLeftByAnEarlierFailureIsWrittenAgain) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  const std::string page = temp.File("birds.htm");
  WriteFile(page, "");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  EXPECT_EQ(ReadFile(page), GeneratedPageText(page));
}

TEST(SaveFailure, APageThatCannotBeWrittenLeavesNoFileBehind) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  fs::create_symlink(temp.path() / "gone" / "birds.htm", temp.path() / "birds.htm");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Couldn't create the file!"});
  EXPECT_FALSE(fs::exists(temp.path() / "gone"));
  EXPECT_TRUE(fs::is_symlink(temp.path() / "birds.htm"));
}

TEST(SaveFailure, PageAndLevelsFileLinkedOutOfTheFolderAreNeverWrittenThrough) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("keys/birds.qor");
  fs::create_directories(temp.path() / "home");
  fs::create_directories(temp.path() / "keys");
  WriteFile(temp.File("home/.profile"), "");
  WriteFile(temp.File("home/.bashrc"), "# the user's own\n");
  fs::create_symlink("../home/.profile", temp.path() / "keys" / "birds.htm");
  fs::create_symlink("../home/.bashrc", temp.path() / "keys" / "birds.qor.levels.dat");
  auto doc = SmallDatabase();
  doc->m_levelNames->inUse = true;
  EXPECT_FALSE(doc->OnSaveDocument(path));
  ASSERT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[0], "Couldn't create the file!");
  EXPECT_EQ(ReadFile(temp.File("home/.profile")), "");
  EXPECT_EQ(ReadFile(temp.File("home/.bashrc")), "# the user's own\n");
  EXPECT_TRUE(fs::is_symlink(temp.path() / "keys" / "birds.htm"));
  EXPECT_TRUE(doc->IsModified()) << "the level names stay to be saved";
}

TEST(SaveFailure, AReadOnlyFileIsRefusedAndSaveAsStaysOpen) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  const std::string before = ReadFile(path);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  auto changed = SmallDatabase();
  Add(*changed, "Jay", "Garrulus", "glandarius", "Corvidae");
  changed->SetModifiedFlag();
  EXPECT_FALSE(changed->OnSaveDocument(path));
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_TRUE(changed->IsModified());
  EXPECT_TRUE(ContainsMessage(ui, "read-only"));
  EXPECT_TRUE(ContainsMessage(ui, "Save As"));
  const std::string copy = temp.File("copy.qor");
  ui.fileAnswers.push_back(copy);
  EXPECT_TRUE(changed->SaveAsNew({}, true));
  EXPECT_FALSE(changed->IsModified());
  EXPECT_EQ(changed->m_pathName, copy);
}

TEST(SaveFailure, SaveAsNewAsksAgainAfterAFailedSaveUntilCancel) {
  TempFolder temp;
  ScriptedUi ui;
  auto doc = SmallDatabase();
  doc->SetModifiedFlag();
  const std::string missing = temp.File("no such folder/birds.qor");
  const std::string good = temp.File("birds.qor");
  ui.fileAnswers = {missing, good};
  EXPECT_TRUE(doc->SaveAsNew({}, true));
  EXPECT_EQ(ui.lastInitialPath, missing) << "the refused name is offered again";
  EXPECT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(doc->m_pathName, good);
  EXPECT_TRUE(fs::exists(good));

  auto other = SmallDatabase();
  ui.fileAnswers = {missing, std::nullopt};
  EXPECT_FALSE(other->SaveAsNew({}, true));
  EXPECT_TRUE(other->m_pathName.empty());
}

TEST(SaveFailure, ALevelsFileThatCannotBeWrittenKeepsTheDocumentModified) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  fs::create_directory(path + ".levels.dat");  // no rename replaces a folder, whoever runs the test
  auto doc = SmallDatabase();
  doc->m_levelNames->common = "Vernacular";
  doc->m_levelNames->inUse = doc->m_levelNames->modified = true;
  doc->SetModifiedFlag();
  EXPECT_FALSE(doc->OnSaveDocument(path));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(doc->m_levelNames->modified);
  EXPECT_TRUE(ContainsMessage(ui, "level names"));
}

TEST(SaveFailure, AnUnwritableFolderLeavesTheOldFileByteIdentical) {
  TempFolder temp;
  ScriptedUi ui;
  const fs::path folder = temp.path() / "locked";
  fs::create_directory(folder);
  const std::string path = (folder / "birds.qor").string();
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  const std::string before = ReadFile(path);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(folder / "probe")) {
    fs::permissions(folder, fs::perms::owner_all);
    GTEST_SKIP() << "permissions are not enforced for this user";
  }
  auto changed = SmallDatabase();
  Add(*changed, "Jay", "Garrulus", "glandarius", "Corvidae");
  EXPECT_FALSE(changed->OnSaveDocument(path));
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_TRUE(ContainsMessage(ui, path));
}

TEST(SaveFailure, AFailedReplaceLeavesWhatWasThereAndNoTemporaryFile) {
  TempFolder temp;
  ScriptedUi ui;
  const fs::path target = temp.path() / "birds.qor";
  fs::create_directory(target);  // the rename over it cannot succeed, whoever runs the test
  WriteFile((target / "inside").string(), "kept");
  EXPECT_FALSE(SmallDatabase()->OnSaveDocument(target.string()));
  EXPECT_EQ(ReadFile((target / "inside").string()), "kept");
  EXPECT_TRUE(ContainsMessage(ui, "unchanged"));
  for (const auto& entry : fs::directory_iterator(temp.path()))
    EXPECT_EQ(entry.path().extension(), entry.path() == target ? ".qor" : ".qorx") << entry.path();
}

TEST(SaveFailure, AFifoUnderTheNameOrAtTheEndOfItsLinkIsRefusedAndStays) {
  TempFolder temp;
  ScriptedUi ui;
  const fs::path target = temp.path() / "birds.qor";
  ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
  fs::create_symlink("birds.qor", temp.path() / "link.qor");
  for (const fs::path& path : {target, temp.path() / "link.qor"}) {
    EXPECT_FALSE(SmallDatabase()->OnSaveDocument(path.string())) << path;
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(target)));
  }
  EXPECT_TRUE(fs::is_symlink(temp.path() / "link.qor"));
}

TEST(SaveFailure, AMissingFolderFailsTheSave) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("no such folder/birds.qor");
  EXPECT_FALSE(SmallDatabase()->OnSaveDocument(path));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(ContainsMessage(ui, "Cannot save"));
}

TEST(SaveFailure, AFailingWriterLeavesTheTargetAndNoTemporaryFile) {
  TempFolder temp;
  const std::string path = temp.File("target.bin");
  WriteFile(path, "old contents");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  for (bool throws : {false, true}) {
    std::string error;
    const bool ok = WriteFileAtomically(
        path,
        [&](std::ostream& out) {
          out << "half of the new";
          if (throws) throw std::runtime_error("disk full");
          return false;
        },
        error);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile(path), "old contents");
  }
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(
      path, [](std::ostream& out) { return static_cast<bool>(out << "new"); }, error));
  EXPECT_EQ(ReadFile(path), "new");
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
}

TEST(OpenFailure, ABadVersionWordFailsTheOpen) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("bad.qor");
  WriteFile(path, std::string("\x02\x00", 2) + std::string(40, '\0'));
  CZAVDoc doc;
  EXPECT_FALSE(doc.OnOpenDocument(path));
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"Cannot open the database \"" + path + "\": Invalid QOR Database Format."});
  EXPECT_TRUE(doc.m_pathName.empty());
  EXPECT_EQ(doc.ItemCount(), 0);
}

TEST(OpenFailure, AnEmptyFileIsNoDatabaseAndIsNamed) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("empty.qor");
  WriteFile(path, "");
  CZAVDoc doc;
  EXPECT_FALSE(doc.OnOpenDocument(path));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Cannot open the database \"" + path +
                                                    "\": the file is empty, it is not a QOR database."});
  EXPECT_TRUE(doc.m_pathName.empty());
  EXPECT_EQ(doc.GetTitle(), "Untitled");
  EXPECT_EQ(doc.MenuCount(), 0);
}

TEST(OpenFailure, TruncatedAndMissingFilesAreReportedWithTheirPath) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  const std::string whole = ReadFile(path);
  WriteFile(path, whole.substr(0, whole.size() / 2));
  CZAVDoc doc;
  EXPECT_FALSE(doc.OnOpenDocument(path));
  EXPECT_TRUE(ContainsMessage(ui, path));
  EXPECT_EQ(doc.ItemCount(), 0);

  CZAVDoc missing;
  EXPECT_FALSE(missing.OnOpenDocument(temp.File("gone.qor")));
  EXPECT_TRUE(ContainsMessage(ui, "gone.qor"));
}

// The opening thread's part as the program's start has it: it waits beside
// the read, as in an event loop of its own, for the read's announced end.
// One that expects a free worker first waits until a worker has the read or
// has ended it; else it looks once.
class WaitingBesideRead final : public ReadBeside {
 public:
  explicit WaitingBesideRead(bool workerFree) : m_workerFree(workerFree) {}
  void WhileReading(const std::function<bool()>& reading) override {
    while (m_workerFree && !reading() && !Ended()) std::this_thread::yield();
    std::unique_lock lock(m_mutex);
    sawReading = reading();
    if (sawReading) m_ended.wait(lock, [&] { return endings > 0; });
    readingAfterWait = reading();
  }
  void ReadEnded() override {
    std::lock_guard lock(m_mutex);
    ++endings;
    m_ended.notify_all();
  }
  bool sawReading = false;
  bool readingAfterWait = true;
  int endings = 0;

 private:
  bool Ended() {
    std::lock_guard lock(m_mutex);
    return endings > 0;
  }
  const bool m_workerFree;
  std::mutex m_mutex;
  std::condition_variable m_ended;
};

bool OpenBeside(CZAVDoc& doc, const std::string& path, ReadBeside& beside) {
  return hang_guard::ReturnsWithinBound("an open with a caller waiting beside",
                                        [&] { return doc.OnOpenDocument(path, beside); });
}

TEST(OpenBesideTheRead, ACallerWaitingForTheReadsEndIsWokenOnceWhetherTheOpenSucceedsOrFails) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  int roundsThatWaited = 0;
  for (int round = 0; round < 20; ++round) {
    CZAVDoc doc;
    WaitingBesideRead beside(true);
    ASSERT_TRUE(OpenBeside(doc, path, beside));
    EXPECT_EQ(doc.ItemCount(), 2);
    EXPECT_EQ(beside.endings, 1);
    EXPECT_FALSE(beside.readingAfterWait);
    roundsThatWaited += beside.sawReading;
  }
  EXPECT_GT(roundsThatWaited, 0);  // the wake-up itself was exercised
  CZAVDoc missing;
  WaitingBesideRead beside(true);
  EXPECT_FALSE(OpenBeside(missing, temp.File("gone.qor"), beside));
  EXPECT_EQ(beside.endings, 1);
  EXPECT_TRUE(ContainsMessage(ui, "gone.qor"));
}

// With every worker held by long work the opening thread reads the file
// itself once its part returns: its part is told nothing is being read, and
// so never waits for an end that could not come.
TEST(OpenBesideTheRead, WithEveryWorkerBusyTheCallerIsNotLeftWaiting) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<int> started{0};
  std::vector<std::shared_future<void>> busy;
  const int workers = worker_pool::AllowedCpus() - 1;
  for (int k = 0; k < workers; ++k)
    busy.push_back(worker_pool::RunInBackground([released, &started] {
      ++started;
      released.wait();
    }));
  while (started < workers) std::this_thread::yield();
  CZAVDoc doc;
  WaitingBesideRead beside(false);
  EXPECT_TRUE(OpenBeside(doc, path, beside));
  EXPECT_FALSE(beside.sawReading);
  EXPECT_EQ(beside.endings, 1);
  EXPECT_EQ(doc.ItemCount(), 2);
  release.set_value();
  for (auto& job : busy) job.wait();
}

// A key's folder as a download may bring it, with a stand-in for the user's
// home beside it whose secret must never show.
class HostileKeyFile : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(temp.path() / "keys");
    fs::create_directories(temp.path() / "home");
    WriteFile(Home("secret"), "[LevelNames]\r\nCommon=the user's own\r\nGenus=secret\r\n");
    ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  }
  std::string Home(const std::string& name) const { return temp.File("home/" + name); }
  std::string Key(const std::string& name) const { return temp.File("keys/" + name); }
  // The open, guarded: a file that blocks fails the test rather than hanging it.
  bool Open(CZAVDoc& doc, const std::string& file) {
    return hang_guard::ReturnsWithinBound("opening a key", [&] { return doc.OnOpenDocument(file); });
  }
  void Sparse(const std::string& file, long long size) const {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);  // the size without the room on disk
    ::close(fd);
  }

  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("keys/birds.qor");
};

TEST_F(HostileKeyFile, AFifoOrADeviceUnderTheDatabaseNameIsRefusedNamingIt) {
  ASSERT_EQ(::mkfifo(Key("pipe.qor").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", Key("zero.qor"));
  for (const std::string name : {"pipe.qor", "zero.qor"}) {
    CZAVDoc doc;
    EXPECT_FALSE(Open(doc, Key(name))) << name;
    ASSERT_FALSE(ui.Messages().empty()) << name;
    EXPECT_EQ(ui.Messages().back(), "Cannot open the database \"" + Key(name) + "\": it is not a plain file.");
    EXPECT_TRUE(doc.m_pathName.empty());
  }
}

TEST_F(HostileKeyFile, ALevelsFileThatIsNoFileOfTheKeyLeavesTheDefaultNamesAndTheKeyOpens) {
  const std::string levels = path + ".levels.dat";
  const auto craft = [&](const std::string& kind) {
    fs::remove(levels);
    if (kind == "fifo") {
      ASSERT_EQ(::mkfifo(levels.c_str(), 0600), 0);
    }
    if (kind == "zero") fs::create_symlink("/dev/zero", levels);
    if (kind == "sparse") Sparse(levels, 8LL << 30);
    if (kind == "secret") fs::create_symlink("../home/secret", levels);
  };
  for (const std::string kind : {"secret", "sparse", "zero", "fifo"}) {
    craft(kind);
    CZAVDoc doc;
    ASSERT_TRUE(Open(doc, path)) << kind;
    const LevelNames& names = *doc.m_levelNames;
    EXPECT_EQ(std::vector<std::string>({names.common, names.family, names.genus, names.species}),
              std::vector<std::string>({"Common", "Family", "Genus", "Species"}))
        << kind;
  }
  EXPECT_EQ(ReadFile(Home("secret")), "[LevelNames]\r\nCommon=the user's own\r\nGenus=secret\r\n");
  EXPECT_TRUE(ui.Messages().empty());
}

// The open dialog's folder list reads the header of every ".qor" on its
// own: what a key's folder puts under such a name shows as no key, at once.
TEST_F(HostileKeyFile, TheHeaderReaderRefusesAFifoADeviceAndALinkOutOfTheFolder) {
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(Home("own.qor")));
  ASSERT_EQ(::mkfifo(Key("pipe.qor").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", Key("zero.qor"));
  fs::create_symlink("../home/own.qor", Key("out.qor"));
  fs::create_symlink("birds.qor", Key("alias.qor"));
  for (const std::string name : {"pipe.qor", "zero.qor", "out.qor"}) {
    CQDochdr header;
    const HeaderReadResult result =
        hang_guard::ReturnsWithinBound("the header read", [&] { return ReadDatabaseHeaderFile(Key(name), header); });
    EXPECT_EQ(result, HeaderReadResult::CannotOpen) << name;
    EXPECT_TRUE(header.title.empty()) << name;
  }
  CQDochdr header;
  ASSERT_EQ(ReadDatabaseHeaderFile(Key("alias.qor"), header), HeaderReadResult::Ok);
  EXPECT_EQ(header.title, "Birds");
}

TEST_F(HostileKeyFile, AHeaderClaimingAGiantTitleIsABadFormatReadWithinABound) {
  const std::string giant = Key("giant.qor");
  // Version 1, three flag bytes, a reserved word, four reserved values and
  // the lock word, then a title length of 2^31 - 1 bytes in its longest form.
  std::string bytes("\x01\x00", 2);
  bytes += std::string(3 + 2 + 16 + 4, '\0');
  bytes += std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7);
  WriteFile(giant, bytes);
  // The file is as long as the title claims, holes on the disk all of it.
  const int fd = ::open(giant.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, (1LL << 31) + (1LL << 20)), 0);
  ::close(fd);
  CQDochdr header;
  const HeaderReadResult result =
      hang_guard::ReturnsWithinBound("the header read", [&] { return ReadDatabaseHeaderFile(giant, header); });
  EXPECT_EQ(result, HeaderReadResult::BadFormat);
  EXPECT_TRUE(header.title.empty());
}

TEST(NewDocument, CancelMakesNothingAndOkForcesTheFirstSave) {
  TempFolder temp;
  ProposalUi ui;
  ScriptedHost host;
  host.accept = false;
  CZAVDoc cancelled;
  EXPECT_FALSE(cancelled.OnNewDocument());
  EXPECT_TRUE(ui.shown.empty());

  host.accept = true;
  const std::string path = temp.File("chosen.qor");
  ui.fileAnswers = {path};
  CZAVDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"You must save QOR file to work with."});
  EXPECT_EQ(ui.proposals, std::vector<std::string>{"My.qor"});
  EXPECT_EQ(doc.m_pathName, path);
  EXPECT_TRUE(fs::exists(path));
  EXPECT_TRUE(fs::exists(temp.File("chosen.htm")));
  EXPECT_EQ(host.recent, std::vector<std::string>{path});

  CZAVDoc dialogCancelled;
  EXPECT_FALSE(dialogCancelled.OnNewDocument());  // the file dialog's queue is empty
}

TEST(OpeningPage, FallsBackToTheProgramsSharedFolder) {
  TempFolder temp;
  fs::create_directories(temp.path() / "bin");
  fs::create_directories(temp.path() / "share" / "qor" / "Opening Page");
  WriteFile((temp.path() / "share" / "qor" / "Opening Page" / "QOR.htm").string(), "<html></html>");
  const fs::path previous = ProgramFile();
  SetProgramFile(temp.path() / "bin" / "qor");
  CZAVDoc doc;
  doc.m_pathName = temp.File("nopage.qor");
  EXPECT_EQ(doc.GetOpeningPagePath(), (temp.path() / "share" / "qor" / "Opening Page" / "QOR.htm").string());
  SetProgramFile(temp.path() / "elsewhere" / "qor");
  EXPECT_EQ(doc.GetOpeningPagePath(), "");
  SetProgramFile(previous);
}

namespace {

// The common names of a database file's items, in item order.
std::vector<std::string> ItemsInFile(const std::string& path) {
  CZAVDoc reopened;
  EXPECT_TRUE(reopened.OnOpenDocument(path));
  std::vector<std::string> names;
  for (const auto& name : reopened.m_itemNames) names.push_back(name->name);
  std::sort(names.begin(), names.end());
  return names;
}

std::size_t Questions(const ScriptedUi& ui) {
  return static_cast<std::size_t>(
      std::count_if(ui.shown.begin(), ui.shown.end(), [](const auto& s) { return s.kind == "question"; }));
}

}  // namespace

// Two windows (two copies of the program) on one file: the second save
// finds the file changed and asks; No offers Save As, and cancelling it
// keeps the other window's file and this window's work.
TEST(SaveOverAnotherProgram, TheSecondSaveAsksAndNoKeepsBothSidesWork) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  CZAVDoc first;
  CZAVDoc second;
  ASSERT_TRUE(first.OnOpenDocument(path));
  ASSERT_TRUE(second.OnOpenDocument(path));

  Add(first, "Jay");
  first.SetModifiedFlag();
  ASSERT_TRUE(first.Save());
  EXPECT_EQ(Questions(ui), 0u);

  Add(second, "Crow");
  second.SetModifiedFlag();
  ui.fileAnswers = {std::nullopt};
  EXPECT_FALSE(second.Save());
  ASSERT_EQ(Questions(ui), 1u);
  const auto& question = ui.shown[ui.shown.size() - 2];
  EXPECT_EQ(question.text, path + " was changed by another program since it was opened.\nDo you want to replace it?");
  EXPECT_FALSE(question.defaultYes);
  EXPECT_EQ(ui.shown.back().kind, "save");
  EXPECT_EQ(ui.lastInitialPath, path);
  EXPECT_TRUE(second.IsModified());
  EXPECT_EQ(second.m_pathName, path);
  EXPECT_EQ(ItemsInFile(path), (std::vector<std::string>{"Jay", "Robin", "Wren"}));

  // Yes replaces the other program's file.
  ui.yesNoAnswers = {true};
  ASSERT_TRUE(second.Save());
  EXPECT_EQ(Questions(ui), 2u);
  EXPECT_EQ(ItemsInFile(path), (std::vector<std::string>{"Crow", "Robin", "Wren"}));

  // Now the first finds it changed: No, then Save As under another name
  // keeps both versions.
  Add(first, "Rook");
  first.SetModifiedFlag();
  const std::string other = temp.File("birds-rook.qor");
  ui.fileAnswers = {other};
  ASSERT_TRUE(first.Save());
  EXPECT_EQ(Questions(ui), 3u);
  EXPECT_EQ(first.m_pathName, other);
  EXPECT_EQ(ItemsInFile(path), (std::vector<std::string>{"Crow", "Robin", "Wren"}));
  EXPECT_EQ(ItemsInFile(other), (std::vector<std::string>{"Jay", "Robin", "Rook", "Wren"}));
}

// A window's own saves, one after the other, and Save As to another name
// never ask; the check is for a file someone else wrote.
TEST(SaveOverAnotherProgram, OwnSavesAndSaveAsElsewhereDoNotAsk) {
  TempFolder temp;
  ScriptedUi ui;
  const std::string path = temp.File("birds.qor");
  ASSERT_TRUE(SmallDatabase()->OnSaveDocument(path));
  CZAVDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path));
  ASSERT_TRUE(doc.Save());
  Add(doc, "Jay");
  ASSERT_TRUE(doc.Save());
  EXPECT_EQ(Questions(ui), 0u);

  CZAVDoc other;
  ASSERT_TRUE(other.OnOpenDocument(path));
  Add(other, "Crow");
  ASSERT_TRUE(other.Save());
  const std::string elsewhere = temp.File("copy.qor");
  ui.fileAnswers = {elsewhere};
  ASSERT_TRUE(doc.SaveAsNew({}, true));
  ASSERT_TRUE(doc.Save());
  EXPECT_EQ(Questions(ui), 0u);
  EXPECT_EQ(ItemsInFile(elsewhere), (std::vector<std::string>{"Jay", "Robin", "Wren"}));
}

// The rule itself: another size, time or file tells a change, and so do
// other bytes under the same size and time; a file that is gone does not.
TEST(SaveOverAnotherProgram, SizeTimeFileAndContentsTellAChangedFile) {
  TempFolder temp;
  const std::string path = temp.File("key.qor");
  WriteFile(path, "contents");
  const auto stamp = StampOfFile(path, ContentHash("contents", 8));
  ASSERT_TRUE(stamp);
  EXPECT_FALSE(DiskFileChanged(path, *stamp));

  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  const struct timespec times[2] = {status.st_atim, status.st_mtim};
  {
    // Other bytes in the same file, its time put back.
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, "CONTENTS", 8, 0), 8);
    ::futimens(fd, times);
    ::close(fd);
  }
  EXPECT_TRUE(StampOfFile(path)->SameStatus(*stamp)) << "the status alone cannot tell";
  EXPECT_TRUE(DiskFileChanged(path, *stamp));

  WriteFile(path, "contents");
  EXPECT_TRUE(DiskFileChanged(path, *stamp)) << "the same bytes, but a later time";
  fs::remove(path);
  EXPECT_FALSE(DiskFileChanged(path, *stamp));
}

TEST(SaveOverAnotherProgram, TheHashOfWrittenPiecesIsTheHashOfTheWhole) {
  const std::string bytes = "a database of many words, cut anywhere";
  std::ostringstream sink;
  HashingStreamBuf hashing(*sink.rdbuf());
  std::ostream out(&hashing);
  out << bytes.substr(0, 3);
  out.put(bytes[3]);
  out << bytes.substr(4, 13) << bytes.substr(17);
  out.flush();
  EXPECT_EQ(sink.str(), bytes);
  EXPECT_EQ(hashing.Hash(), ContentHash(bytes.data(), bytes.size()));
  EXPECT_NE(ContentHash("ab", 2), ContentHash("ba", 2));
}
