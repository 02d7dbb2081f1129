// The menu clipboard's commands without the system clipboard: the tree's
// Copy, Cut and Paste turn a branch of the menu tree into bytes and back.
// The window side puts the bytes on the clipboard under its private format
// and hands them back on paste; it then shows what changed in the tree.
//
//   Copy:  bytes = Copy(doc, menu); put them on the clipboard.
//   Cut:   bytes = Cut(doc, menu); put them on the clipboard; only when
//          that succeeded, FinishCut(doc, menu) and delete the menu's node.
//   Paste: pasted = Paste(doc, parent, data, size); insert the node of
//          pasted.top below the parent's node and build its subtree.
//
// Every refusal shows the error box and abandons the command, with the
// document unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "editors/ClipboardCut.h"
#include "editors/ClipboardPaste.h"

class CZAVDoc;

class CClipboardMenu {
 public:
  // Whether the commands may run on the menu: copy on any menu in use, also
  // of a locked database; cut on a menu below another one of an editable
  // database; paste into a menu of menus of an editable database.
  static bool CanCopy(const CZAVDoc& doc, int menu);
  static bool CanCut(const CZAVDoc& doc, int menu);
  static bool CanPasteInto(const CZAVDoc& doc, int menu);

  // The stream of the menu's branch.
  static std::vector<std::uint8_t> Copy(const CZAVDoc& doc, int menu);
  // The same stream, refused where a cut is; the document is not changed
  // until FinishCut.
  static std::vector<std::uint8_t> Cut(const CZAVDoc& doc, int menu);
  // Frees the cut branch once the clipboard holds its stream.
  static FreedBranch FinishCut(CZAVDoc& doc, int menu) { return FreeMenuBranch(doc, menu); }
  // Reads and checks the whole block, then inserts it below parentMenu (at
  // position in its child list, -1: last). A damaged block inserts nothing.
  static PastedBranch Paste(CZAVDoc& doc, int parentMenu, const std::uint8_t* data, std::size_t size,
                            int position = -1);
};
