// The document: every record of one open database, the identification state
// (marks, item states, forgiveness) and the report state of its frame.
//
// The class carries the members of many concerns; its definitions are split
// by concern across ZAVDoc*.cpp files (records, bits, archive, items, names,
// marks, elimination, announcements, reports ...).
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/BitMatrix.h"
#include "database/CountBasis.h"
#include "database/NameTextSlots.h"
#include "database/Records.h"

class ArchiveFile;
class CArchive;
class IHtmlView;
class ILeftView;
class IItemListView;
class LevelNames;
class ReadBeside;
struct DiskFileStamp;
struct EliminationPlan;
struct MarkLogRecord;

inline constexpr int kMaxItems = 32000;
inline constexpr int kMaxAttributesOrMenus = 16000;

// Positions in the document's copy of the item list options.
enum ItemListCopyIndex : int {
  kListDescription = 0,
  kListDontShow,
  kListFile,
  kListPicture,
  kListReference,
  kListItemOrder,
  kListData,
  kListAll,
  kListThumbnail,
  kListExternalLinks,
};

class CZAVDoc {
 public:
  CZAVDoc();
  ~CZAVDoc();
  CZAVDoc(const CZAVDoc&) = delete;
  CZAVDoc& operator=(const CZAVDoc&) = delete;

  // ---- records (ZAVDoc.cpp) ------------------------------------------------
  CQAttdata& GetAttribute(int index) { return *m_attributes.at(index); }
  CQItemrec& GetItem(int index) { return *m_items.at(index); }
  CQMenudata& GetMenu(int index) { return *m_menus.at(index); }
  CZAVDocItem& GetDocItem(int index) { return *m_docItems.at(index); }
  const CQAttdata& GetAttribute(int index) const { return *m_attributes.at(index); }
  const CQItemrec& GetItem(int index) const { return *m_items.at(index); }
  const CQMenudata& GetMenu(int index) const { return *m_menus.at(index); }

  int AttributeCount() const { return static_cast<int>(m_attributes.size()); }
  int ItemCount() const { return static_cast<int>(m_items.size()); }
  int MenuCount() const { return static_cast<int>(m_menus.size()); }

  void InsertItem(int index, std::unique_ptr<CQItemrec> record);
  void SetDocItem(int index, std::unique_ptr<CZAVDocItem> docItem);
  void SetAttributeAt(int index, std::unique_ptr<CQAttdata> record);
  // Pointer to the item's row of attribute bits; null when there are no items.
  DWORD* GetItemAttributeBits(int item);
  const DWORD* GetItemAttributeBits(int item) const;

  int FindFreeAttribute() const;
  int FindFreeItem() const;
  // Between these two calls items and attributes are only added, never
  // freed (a merge): free slots are searched from past the last one taken,
  // and the unused bits at the end of every row are cleared once at the
  // start, so that a new column within a row's words needs no pass over the
  // rows. Each added item or attribute then costs about its own size.
  // At most reserveAttributes attributes are expected: the rows are widened
  // for them once at the start, and the columns not used are dropped at the
  // end, instead of the rows being laid out anew every 32 attributes.
  void BeginAddingOnly(int reserveAttributes);
  void EndAddingOnly();
  int FindFreeMenu() const;
  int GetMenuDepth(int menu) const;
  void CollectMenuTree(int menu, std::vector<WORD>& list) const;
  bool IsMenuMarked(int menu) const;
  bool IsGenusUnused(int genus) const;
  bool IsFamilyUnused(int family) const;
  int FindItemNameInsertIndex(const std::string& name) const;
  int FindSpeciesNameInsertIndex(const std::string& name) const;
  // ---- reference titles (ZAVDocReferences.cpp) ----------------------------------
  // Every used item keeps one reference page per reference title: these
  // are the only places that change the titles' count or order, and each
  // keeps every item's pages in step.
  int FindOrAddReference(const std::string& title);
  int AddReferenceTitle(const std::string& title);
  void RemoveReferenceTitle(int reference);
  void MoveReferenceTitle(int reference, int after);
  // The item's page for a reference, its list padded to the titles first
  // (a damaged file may store it short).
  std::string& ReferencePage(int item, int reference);
  void FitReferencePages(int item);
  int FindMenuByTitle(const std::string& title, bool topOnly) const;
  int FindAttributeInMenu(const std::string& name, int menu) const;
  int FindChildByName(const std::string& name, int menu) const;
  void ClearAttribute(int attribute);
  void ClearMenu(int menu);
  void DeleteContents();

  // The lock: a database may be edited while its lock word is not 0.
  static DWORD LockTokenFor(const std::string& description);
  bool IsEditable() const { return m_header.lockWord != 0; }

  void SetModifiedFlag(bool modified = true) {
    const bool changed = m_modified != modified;
    m_modified = modified;
    if (changed && m_modifiedHook) m_modifiedHook();
  }
  bool IsModified() const { return m_modified; }

  // ---- bit matrix growth (ZAVDocBits.cpp) ----------------------------------
  void AddItemRow();
  void ClearItemBits(int item);
  CQAttdata& GetOrCreateAttribute(int index);
  // GetOrCreateAttribute for many slots at once: the items' rows are
  // widened and the reused columns cleared in one pass each.
  void GetOrCreateAttributes(const std::vector<int>& indices);
  void ClearAttributeColumn(int attribute);
  void ClearAttributeColumns(const std::vector<int>& attributes);
  void WidenForNewAttribute();
  // The items' rows after the last `added` attributes were appended.
  void WidenForNewAttributes(int added);
  // The rows laid out for fewer attributes after the last ones were dropped.
  void NarrowRowsFrom(int formerAttributeCount);

  // ---- marks and elimination (ZAVDocMarks, ZAVDocElimination, ZAVDocMissingData,
  //      ZAVDocAnnounce, LevelLabels) ----------------------------------------
  // Outside the arrays: the state of a free slot, no mark; setters ignore such indices.
  BYTE GetItemState(int item) const;
  bool IsItemRemaining(int item) const;
  DWORD GetMismatchCount(int item) const {
    return item >= 0 && item < static_cast<int>(m_mismatchCounts.size()) ? m_mismatchCounts[item] : 0;
  }
  bool IsItemSelected(int item) const;
  void SetItemState(int item, BYTE state);
  BYTE GetAttributeMark(int attribute) const;
  void SetAttributeMark(int attribute, BYTE mark);
  int CountSelectedItems() const;
  int CountUsedItems() const;
  void ResetItemStates(bool keepUser);
  bool ToggleItemExcluded(int item);
  void ClearAllMarks();
  void OnClearAllMarks();
  bool PurgeUndoRecords(int mark, int node, int attribute);

  int GetAllowedMismatches() const;
  bool AddMismatch(int item, DWORD bits);
  void UpdateRemainingItems();
  // The passes over items [begin, end); counts the items it eliminates.
  void EvaluateItems(int begin, int end, const EliminationPlan& plan, const CBitMatrix& layout, int& eliminated);
  void Reevaluate(bool keepUser);
  void SetForgivenessLevel(int level);
  void OnForgivenessLevel(int level) { SetForgivenessLevel(level); }  // 32882-32885
  bool IsForgivenessLevelChecked(int level) const { return m_forgivenessLevel == level; }
  std::string GetForgivenessPaneText() const;  // status pane 59143
  void OnAllowMissingData();                   // 32900
  bool IsAllowMissingDataChecked() const { return m_missingData != 0; }

  void UpdateMissingDataBits();
  // The same after only one item's row, or only one attribute's column,
  // changed; a full rebuild where the data was not laid out for the counts.
  void UpdateMissingDataBitsOfItem(int item);
  void UpdateMissingDataBitsOfAttribute(int attribute);
  // The menu-data matrix, in one walk of the rows.
  void BuildMissingDataRows();
  // The menu of every attribute, kNoIndex16 for one without a valid menu.
  std::vector<WORD> MenusOfAttributes() const;
  // Whether the menu-data matrix follows the present rows and these menus
  // of the attributes (MenusOfAttributes()): while "Allow Missing Data" is
  // off the rebuilds after changes are skipped.
  bool MenuDataCurrentFor(const std::vector<WORD>& menus) const;
  // Rebuilds the menu-data matrix unless it is current for these menus, and
  // says whether it is then: the menu analysis counts each menu's candidates
  // with data from it, a read of one bit per item and menu instead of every
  // candidate's row. The rebuild follows the present MenusOfAttributes(),
  // which the caller passes as it has them at hand; other menus are never
  // current.
  bool EnsureMenuDataFor(const std::vector<WORD>& menus);
  // Each menu's count of the listed items that have data for it; only while
  // the matrix is current.
  std::vector<DWORD> CountItemsWithMenuData(const std::vector<int>& items) const;
  // Bit (menu, item) of the menu-data matrix: the item has an attribute of the menu.
  bool HasMenuData(int menu, int item) const;
  // The item's lenient row (has or might have each attribute), made from its
  // row and the menu-data matrix at each call and kept until the next call
  // for the item; null while that matrix does not fit the key.
  const DWORD* GetLenientRow(int item) const;

  // The candidate counts: by the rows of the items whose candidacy changed
  // when those are fewer than the candidates, else a full count.
  void UpdateAttributeCounts();
  // Every writer of the bit matrix calls this (the writable row accessor
  // does): neither the kept counts nor the menu-data matrix follow it now.
  void InvalidateCountBasis() {
    m_countBasis.valid = false;
    m_countBasis.allCounts.clear();
    m_menuDataCurrent = false;
  }
  // The counts taken by the last UpdateAttributeCounts (32 per row word)
  // when they were taken over exactly these items, in ascending order, and
  // the matrix has not changed since; else null.
  const std::vector<DWORD>* CountsKeptFor(const std::vector<int>& items) const;
  bool IsAttributeUseless(int attribute) const;
  bool IsMenuUseless(int menu) const;
  bool IsMenuBranchUseless(int menu) const;

  void UpdateIdentifiedStatus(bool silent);
  // Why the item fails the marks: one HTML sentence per failed mark or
  // group, each ending with ";" (the sentences joined are the whole text).
  std::vector<std::string> ExplainElimination(int item) const;

  std::string GetCommonLabel() const;
  std::string GetFamilyLabel() const;
  std::string GetGenusLabel() const;
  std::string GetSpeciesLabel() const;
  static std::string GetItemsLabel() { return "Item(s)"; }

  // Re-creating the right pane belongs to the report driver, which installs
  // these; until then they do nothing.
  std::function<void(bool saveOptions)> m_showReportHook;
  bool m_deferXmlDump = false;
  bool m_holdXmlDumpOfStore = false;  // while a save waits for its file to reach the disk
  std::string m_pendingXmlDump;       // where a held dump goes, empty for none
  std::uint64_t m_pendingXmlDumpEvent = 0;
  // Called whenever the modified flag changes: the window's caption shows it.
  std::function<void()> m_modifiedHook;
  std::function<void(int item)> m_showItemPageHook;  // item page; -2000 an empty one
  // The file on disk as this document read or last wrote it, and its name.
  std::shared_ptr<const DiskFileStamp> m_diskStamp;
  std::string m_diskStampPath;
  int m_itemDone = 0;   // announcement flags: the narrowing to one item, genus,
  int m_genusDone = 0;  // family has been dealt with
  int m_familyDone = 0;

  // ---- adding, deleting and compacting items (ZAVDocItems.cpp, ZAVDocCompact.cpp)
  // Where a new item's name entries go: at their sorted places, or appended
  // when many items are added at once and the names are sorted afterwards
  // (BuildAfterLoad), which keeps adding linear in the number of items.
  enum class NamePlacement { Sorted, Appended };
  int AddItem(std::string pictures, const std::string& species, const std::string& commonName, std::string genus,
              std::string family, const std::string& description, NamePlacement placement = NamePlacement::Sorted);
  // The first free item slot, its bits cleared, or a new record at the end;
  // either way in state 1. The caller checks the item limit first.
  int TakeItemSlot();
  void DeleteItem(int item);
  void CutItem(int item);
  void OnDeleteAllExceptRemaining();  // command 32843
  void CompactItems();
  void RecountItems();
  // The counters of the items: only the document writes them.
  void CountAddedItem();                        // a used and remaining item more
  void RequestRecount() { m_recountFlag = 1; }  // item data changed: the tree's counts follow
  void RecountDone() { m_recountFlag = 0; }

  // ---- adding menus and attributes (ZAVDocStructure.cpp) ------------------------
  // Both take the first free slot (the end when none is free) and enter the
  // new index in the parent's child list; an index that would reach 65535
  // ("none") abandons the command: "Too many menues!", "Too many Attributes!".
  int AddMenu(const std::string& title, int parent, BYTE kind);
  int AddAttribute(const std::string& name, int menu);

  // ---- opening, saving, creating (ZAVDocFile.cpp) --------------------------------
  bool OnOpenDocument(const std::string& path);
  // The same, with beside's part run on this thread while the file is read
  // on the worker pool.
  bool OnOpenDocument(const std::string& path, ReadBeside& beside);
  bool OnSaveDocument(const std::string& path);
  // The File Save command: into the file the document came from. When
  // another program changed that file since this document read or last wrote
  // it, asks first (default No); No offers Save As instead, and a cancelled
  // Save As leaves the document modified and open. Without a name, Save As.
  bool Save();
  // Whether the file at the document's name is no longer the one it read or
  // last wrote (DiskFileStamp.h); false when nothing is known of it.
  bool DiskFileChangedSinceReadOrWritten() const;
  // Takes the file just written at path as the one the next save expects.
  void RememberWrittenFile(const std::string& path, std::uint64_t contentHash);
  bool OnNewDocument();
  bool SaveAsNew(const std::string& path, bool replace);
  std::string GetOpeningPagePath() const;
  // Clears every mark and the mark log and makes every used item remaining.
  void ResetMarks();
  // The framework's document title: the database title, "Untitled" without one.
  std::string GetTitle() const;

  // ---- XML dump (ZAVDocXml.cpp) ----------------------------------------------------
  // Writes "TEST.qorx" into the current folder; silent when it cannot. The
  // file is written on the dump thread: WaitForXmlDump() (XmlDump.h) waits for it.
  void WriteXmlDump() const;
  // A load then leaves its XML dump to WritePendingXmlDump, so that opening
  // does not wait for the dump's snapshot; a dump still pending is written
  // when the document ends, unless a later load or save wrote its own.
  void DeferXmlDumpOfLoad() { m_deferXmlDump = true; }
  void WritePendingXmlDump();
  bool HasPendingXmlDump() const { return !m_pendingXmlDump.empty(); }
  void WriteXmlDumpOfLoad();
  // A store's dump; held for WritePendingXmlDump while a save is under way.
  void WriteXmlDumpOfStore();
  void WriteOrHoldXmlDump(bool hold);
  std::string WriteXml() const;  // the whole dump, ISO-8859-1 bytes

  // ---- archive (ZAVDocSerialize.cpp) ------------------------------------------
  enum class LoadResult { Ok, InvalidFormat, ArchiveError };
  // Stores, or loads all-or-nothing: a load that fails leaves the document
  // as it was. A bad version word shows "Invalid QOR Database Format"; a
  // damaged archive throws ArchiveError.
  LoadResult Serialize(CArchive& ar);
  // Loads from bytes or a stream; on failure, *error (when given) gets the
  // message the open operation reports.
  LoadResult LoadFromBytes(const std::uint8_t* data, std::size_t size, std::string* error = nullptr);
  // The same in two halves, so that the first can run on a worker thread
  // while the user interface starts: ReadFields reads and checks the file's
  // stored fields into fields, a fresh document made on this document's
  // thread, and makes its run-time items and sorts its names there, calling
  // nothing of the user interface; AdoptFields then shows the format message
  // of a refused file, or takes all that into this document and builds the
  // rest.
  LoadResult ReadFields(const std::uint8_t* data, std::size_t size, CZAVDoc& fields, std::string* error) const;
  LoadResult ReadFields(ArchiveFile& file, CZAVDoc& fields, std::string* error) const;
  LoadResult AdoptFields(LoadResult read, CZAVDoc& fields);
  LoadResult Load(std::istream& in, std::string* error = nullptr);
  std::vector<std::uint8_t> StoreToBytes();
  bool Store(std::ostream& out);  // false when the stream failed
  // Writes the stored fields alone, without the compaction and dump that
  // follow a store; for tools that build files of their own.
  void StoreFields(CArchive& ar);
  // Reads, checks and adopts the stored fields alone, without the build,
  // compaction and dump that follow a load.
  LoadResult LoadStoredFields(CArchive& ar);
  // The run-time items and the sorted name arrays that follow a load.
  void BuildAfterLoad();
  void MakeDocItems();  // the run-time items, without their missing-data bits
  // Sorts the name arrays, with the dumps of the names before and after.
  void SortLoadedNames();
  // Repairs the names' back links and writes one line per fully named item
  // into fileName in the current folder; silent when it cannot be created.
  void DumpItemNames(const std::string& fileName);

  // ---- for the tree and the item list (ZAVDocMarks.cpp) ----------------------
  // True for items in state 1 or 4; false outside the items.
  bool IsItemFullyMatching(int item) const;
  // Items in state 3 while missing data is allowed, else 0.
  int CountMissingDataItems() const;
  int m_menuReportSwitch = 0;  // 1 when the menus report was asked for from the tree
  int m_showReferences = 0;    // the tree shows the "References" subtree (32888)
  int m_showDescription = 0;   // the tree shows the "Database Description" node (32889)
  // The pane that gets the keyboard focus back after a page has loaded:
  // the tree or the item list (an opaque window pointer of the shell).
  void* m_focusWindow = nullptr;

  // ---- report driver (ZAVDocReports.cpp) ---------------------------------------
  // Re-creates the page of the current report kind (1-12) with its link
  // action; any other kind leaves the page as it is. saveOptions writes the
  // option set of kinds 1-3 first; the item page's set is written always.
  void ShowReport(bool saveOptions);
  // Connects the report hooks to the driver and to the installed report
  // factory (platform/ReportFactory.h), which builds the pages.
  void InstallReportDriver();

  // ---- views -----------------------------------------------------------------
  IHtmlView* GetHtmlView() const { return m_htmlView; }
  ILeftView* GetLeftView() const { return m_leftView; }
  IItemListView* GetItemListView() const { return m_itemListView; }
  void AttachViews(IHtmlView* html, ILeftView* tree, IItemListView* list) {
    m_htmlView = html;
    m_leftView = tree;
    m_itemListView = list;
  }

  // ---- data members, in the order of the stored document ----------------------
  int m_loadedMissingData = 0;
  int m_spare1 = 0;
  std::array<int, 10> m_itemListOptions{};  // the document's copy of ItemListOptions
  int m_orderChoice = 0;                    // name order when both name kinds are enabled ("ItemOrder")
  IHtmlView* m_htmlView = nullptr;
  ILeftView* m_leftView = nullptr;
  IItemListView* m_itemListView = nullptr;
  std::unique_ptr<LevelNames> m_levelNames;
  int m_spare2 = 0;
  std::vector<BYTE> m_marks;                             // one mark per attribute
  std::vector<std::unique_ptr<CQAttdata>> m_attributes;  // never null
  std::vector<std::unique_ptr<CQItemrec>> m_items;       // never null
  std::vector<BYTE> m_itemStates;                        // one state per item
  // One per item, from the last evaluation; side by side because every
  // evaluation writes them all.
  std::vector<DWORD> m_mismatchCounts;
  int m_markedCount = 0;
  BYTE m_forgivenessLevel = 0;
  std::vector<std::unique_ptr<CZAVDocItem>> m_docItems;
  std::vector<std::unique_ptr<MarkLogRecord>> m_markLog;
  BYTE m_forgivenessOn = 0;
  std::vector<WORD> m_attributeCounts;  // candidate items having each attribute
  CountBasis m_countBasis;              // run-time: what m_attributeCounts was counted over
  bool m_menuDataCurrent = false;       // run-time: m_menuDataBlocks follows the rows...
  std::vector<WORD> m_menuDataMenus;    // ... and these menus of the attributes
  int m_pageStart = -1;                 // first paging position of the list page shown
  int m_pageEnd = -1;                   // end paging position of the list page shown
  int m_reportKind = -1;                // current report kind, -1 while none
  int m_reportArgument = -1;            // item/menu/attribute/reference of the page, -1 for lists
  int m_namedItemCount = 0;
  int m_reportValues2[2] = {0, 0};
  int m_thumbnailFolder[2] = {0, 0};  // both 1 when the database folder has "Thumbnails"
  int m_reportValues3[3] = {0, 0, 0};
  int m_galleryResume = 0;       // gallery's resume picture index
  int m_gallerySavedResume = 0;  // gallery's saved resume index
  int m_announcedItem = -1;      // announcement state (identification)
  int m_announcedGenus = -1;
  int m_announcedFamily = -1;
  std::string m_mergeOutputPath;
  int m_attributesChanged = 0;
  int m_currentItem = 0;
  struct AddingOnly {
    bool active = false;
    int itemsFrom = 0;       // every item slot below is taken
    int attributesFrom = 0;  // every attribute slot below is taken
    int reservedFrom = 0;    // the first attribute slot reserved, with clear columns
    std::optional<NameTextSlots> genusSlots, familySlots;
  } m_addingOnly;
  int m_recountFlag = 0;
  int m_remainingCount = 0;
  int m_usedCount = 0;
  WORD m_word1 = 65535;
  WORD m_word2 = 65535;
  WORD m_fileVersion = 1;
  CQDochdr m_header;
  std::vector<std::unique_ptr<CQMenudata>> m_menus;  // never null
  std::vector<std::string> m_referenceTitles;
  std::vector<std::unique_ptr<CQItemname>> m_itemNames;     // sorted, never null
  std::vector<std::unique_ptr<CQItemname>> m_speciesNames;  // sorted, never null
  std::vector<std::string> m_genusNames;
  std::vector<std::string> m_familyNames;
  std::vector<CQDatablock> m_dataBlocks;      // stored item x attribute bits
  BYTE m_missingData = 0;                     // "Allow Missing Data"
  std::vector<CQDatablock> m_menuDataBlocks;  // run-time item x menu data bits

  // Framework document state.
  std::string m_pathName;  // full path of the open file, empty for a new database
  bool m_modified = false;
};

// Compares the display names of two entries of a name array, ignoring case;
// an entry outside the array compares equal.
int CompareItemDisplayNames(const CZAVDoc& document, const std::vector<std::unique_ptr<CQItemname>>& names, int first,
                            int second);

// Keeps the items' links into the sorted name arrays right after one entry
// was inserted at (insert) or removed from the given positions (-1: that
// array unchanged). skipItem is the item just given the inserted position.
void ShiftItemNameIndices(CZAVDoc& document, bool insert, int namePosition, int speciesPosition, int skipItem);
