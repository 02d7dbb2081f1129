#include "editors/ClipboardMenu.h"

#include "database/ZAVDoc.h"
#include "editors/ClipboardChecks.h"
#include "editors/ClipboardDecoder.h"
#include "editors/ClipboardEncoder.h"
#include "platform/ErrorBox.h"

namespace {

bool IsMenuInUse(const CZAVDoc& doc, int menu) {
  return menu >= 0 && menu < doc.MenuCount() && doc.GetMenu(menu).kind != MENU_FREE;
}

// A block no paste would read is not put on the clipboard.
std::vector<std::uint8_t> EncodeForPaste(const CZAVDoc& doc, int menu) {
  std::vector<std::uint8_t> block = EncodeMenuBranch(doc, menu);
  if (block.size() > kMaxClipboardBlockBytes) ThrowErrorMessage("The menu is too large for the clipboard.");
  return block;
}

}  // namespace

bool CClipboardMenu::CanCopy(const CZAVDoc& doc, int menu) { return IsMenuInUse(doc, menu); }

bool CClipboardMenu::CanCut(const CZAVDoc& doc, int menu) {
  return doc.IsEditable() && IsMenuInUse(doc, menu) && doc.GetMenu(menu).parent < doc.MenuCount();
}

bool CClipboardMenu::CanPasteInto(const CZAVDoc& doc, int menu) {
  return doc.IsEditable() && IsMenuInUse(doc, menu) && doc.GetMenu(menu).kind == MENU_OF_MENUS;
}

std::vector<std::uint8_t> CClipboardMenu::Copy(const CZAVDoc& doc, int menu) {
  RequireMenu(doc, menu);
  return EncodeForPaste(doc, menu);
}

std::vector<std::uint8_t> CClipboardMenu::Cut(const CZAVDoc& doc, int menu) {
  RequireCuttable(doc, menu);
  return EncodeForPaste(doc, menu);
}

PastedBranch CClipboardMenu::Paste(CZAVDoc& doc, int parentMenu, const std::uint8_t* data, std::size_t size,
                                   int position) {
  RequireEditable(doc);
  const ClipboardDecodeResult decoded = DecodeClipboardBranch(data, size);
  if (!decoded.ok) ThrowErrorMessage(decoded.error);
  return PasteBranch(doc, parentMenu, decoded.branch, position);
}
