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
  return EncodeMenuBranch(doc, menu);
}

std::vector<std::uint8_t> CClipboardMenu::Cut(const CZAVDoc& doc, int menu) {
  RequireCuttable(doc, menu);
  return EncodeMenuBranch(doc, menu);
}

PastedBranch CClipboardMenu::Paste(CZAVDoc& doc, int parentMenu, const std::uint8_t* data, std::size_t size,
                                   int position) {
  RequireEditable(doc);
  const ClipboardDecodeResult decoded = DecodeClipboardBranch(data, size);
  if (!decoded.ok) ThrowErrorMessage(decoded.error);
  return PasteBranch(doc, parentMenu, decoded.branch, position);
}
