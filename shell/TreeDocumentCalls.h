// What the tree and the item list need from the rest of the program: the
// engine's state operations, the report pages and the document's switches.
// Kept in one place so the two views name each neighbour's call once.
#pragma once

#include <string>

#include "shell/TreeNodes.h"

class CZAVDoc;

namespace treedoc {

// Engine.
void SetMark(CZAVDoc& doc, int attribute, int mark);
int GetMark(const CZAVDoc& doc, int attribute);
void PurgeUndo(CZAVDoc& doc, int mark, HTREEITEM node, int attribute);
void ResetStates(CZAVDoc& doc, bool keepUser);
void Eliminate(CZAVDoc& doc);
void Announce(CZAVDoc& doc, bool silent);
void RecountAttributes(CZAVDoc& doc);
int ItemState(const CZAVDoc& doc, int item);
bool IsRemaining(const CZAVDoc& doc, int item);
int SelectedCount(const CZAVDoc& doc);
bool MenuHasData(const CZAVDoc& doc, int menu, int item);
bool IsMenuBranchUseless(const CZAVDoc& doc, int menu);
std::string SpeciesLabel(const CZAVDoc& doc);
std::string CommonLabel(const CZAVDoc& doc);

// Document switches.
bool ShowsReferences(const CZAVDoc& doc);

// Report pages shown in the right pane.
void ShowCurrentReport(CZAVDoc& doc);
void ShowMenuPage(CZAVDoc& doc, int menu, HTREEITEM node);  // regions page when the picture has regions
void ShowMenuItemReport(CZAVDoc& doc, int menu);            // without a link action
void ShowAttributePage(CZAVDoc& doc, int attribute, bool withAction);
void ShowReferenceItemReport(CZAVDoc& doc, int reference);
void ShowReferencesReport(CZAVDoc& doc);
void ShowMenusReport(CZAVDoc& doc);
void ShowRegionsPage(CZAVDoc& doc, int menu, HTREEITEM node);
void ShowItemPage(CZAVDoc& doc, int item, int keepPage);
void ShowOpeningPage(CZAVDoc& doc);
void ShowHtmlWithoutAction(CZAVDoc& doc, const std::string& html);
void PrintCurrentPage(CZAVDoc& doc);
void SaveItemOptions(int saved[3]);
void RestoreItemOptions(const int saved[3]);

}  // namespace treedoc
