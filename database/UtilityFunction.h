// Free functions every subsystem uses: the edit test, name order and the
// walk along it, item display names, small text helpers and the folder of
// the active database.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "database/Records.h"

class CZAVDoc;

// Name orders: items listed by the species-name array or by the item-name array.
inline constexpr int kScientificOrder = 0;
inline constexpr int kCommonNameOrder = 1;

// False for a null document; else true while the database is not locked.
bool IsDatabaseEditable(const CZAVDoc* document);

// Index of the first element equal to value; the error box when there is none.
int FindWordIndex(const std::vector<WORD>& words, WORD value);

int GetOrderType(const CZAVDoc& document);
std::vector<std::unique_ptr<CQItemname>>& GetOrderArray(CZAVDoc& document);
const std::vector<std::unique_ptr<CQItemname>>& GetOrderArray(const CZAVDoc& document);

// The next (step +1) or previous (step -1) candidate item in name order, -1 at the end.
int GetNextInOrder(const CZAVDoc& document, int item, int step);

// An item's entry in one of the level lists by its record's index; null when
// the index lies outside the list (damaged or unnamed).
const std::string* NameAt(const std::vector<std::unique_ptr<CQItemname>>& names, int index);
const std::string* TextAt(const std::vector<std::string>& texts, int index);

// The item's name as the lists show it; also sets the split position.
std::string GetItemDisplayName(const CZAVDoc& document, int item);
// The display name the item has in the given name order, whichever order
// the document shows now (each name array is kept sorted by its own order).
std::string GetItemDisplayNameInOrder(const CZAVDoc& document, int item, int order);

// Where the common-name part of the last display name begins (scientific
// order) or ends (common-name order), as a byte offset into the UTF-8 text;
// 0 without a common-name part.
extern thread_local int g_displayNameSplit;  // of the name built last on this thread
inline int GetDisplayNameSplit() { return g_displayNameSplit; }

std::string TextToHtmlAttribute(const std::string& text);
std::string JoinWithNewlines(const std::vector<std::string>& lines);
std::string JoinWithSemicolons(const std::vector<std::string>& names);

// The system's message for an error code; empty when it has none.
std::string GetSystemErrorText(int code);

// The active frame's document, kept by the shell; the core reads it for
// the database folder. hasFrame false means no frame is active at all.
void SetActiveDocument(CZAVDoc* document, bool hasFrame = true);
void ClearActiveFrame();
CZAVDoc* GetActiveDocument();

// The active database's folder including its final separator.
std::string GetActiveDatabaseFolder();
// The same for a given database; the error box when it was never saved.
std::string GetDatabaseFolder(const CZAVDoc& document);

// Appends every folder, relative to base, below and including relative in
// which fileName exists. Relative folders are written with "\" separators
// (the stored picture-name form) and end with "\"; "/" is accepted too.
// Directory links are not followed.
void FindFileInSubfolders(const std::filesystem::path& base, const std::string& relative, const std::string& fileName,
                          std::vector<std::string>& found);

// True for a non-empty relative name that stays below the folder it is
// joined to: no root, no drive letter, no ".." part, with either slash.
bool IsPlainRelativeName(const std::string& name);

// A stored relative name ("a\\b.jpg" or "a/b.jpg") as a path below base.
std::filesystem::path StoredNameToPath(const std::filesystem::path& base, const std::string& stored);
