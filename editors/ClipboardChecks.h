// The refusals the clipboard commands share; each shows the error box and
// abandons the command. The tree disables these commands beforehand; the
// checks keep any other caller from changing what it may not.
#pragma once

class CZAVDoc;

// Cut and paste change the database; copy is allowed on a locked one.
void RequireEditable(const CZAVDoc& doc);
// The index must name a menu in use.
void RequireMenu(const CZAVDoc& doc, int menu);
// Both of the above, and the menu must hang below another one: the top menu stays.
void RequireCuttable(const CZAVDoc& doc, int menu);
