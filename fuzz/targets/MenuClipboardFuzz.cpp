// Feeds arbitrary bytes to the menu clipboard's reader: it must either
// refuse the block or give a branch that pastes, copies back to a stream
// and reads again as the same branch; never crash, hang or allocate
// without bound.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "database/ZAVDoc.h"
#include "editors/ClipboardDecoder.h"
#include "editors/ClipboardEncoder.h"
#include "editors/ClipboardPaste.h"
#include "fuzz/FuzzTargets.h"

namespace {

// Stored picture lists lose one ";" of each doubled pair per pass, so a
// copy of a copy may shorten a run further; compare where that stops.
std::string SettledPictures(std::string pictures) {
  for (std::string next = NormalizePictureList(pictures); next != pictures; next = NormalizePictureList(pictures))
    pictures = next;
  return pictures;
}

bool SameRecords(const ClipboardBranch& a, const ClipboardBranch& b) {
  if (a.records.size() != b.records.size()) return false;
  for (std::size_t i = 0; i < a.records.size(); ++i) {
    const ClipboardRecord& x = a.records[i];
    const ClipboardRecord& y = b.records[i];
    if (x.tag != y.tag || x.text != y.text || x.helpText != y.helpText ||
        SettledPictures(x.pictures) != SettledPictures(y.pictures) || x.parent != y.parent ||
        x.children != y.children || (x.IsMenu() && x.difficulty != y.difficulty))
      return false;
  }
  return true;
}

}  // namespace

FuzzVerdict FuzzMenuClipboard(const std::uint8_t* data, std::size_t size) {
  const ClipboardDecodeResult decoded = DecodeClipboardBranch(data, size);
  if (!decoded.ok) return decoded.error.empty() ? FuzzVerdict::Violated : FuzzVerdict::Rejected;
  if (decoded.branch.records.size() > 2000) return FuzzVerdict::Accepted;  // keeps each run quick
  // A branch goes below the kind of menu that may hold its top record.
  const bool topIsMenu = decoded.branch.records.front().IsMenu();
  CZAVDoc doc;
  auto root = std::make_unique<CQMenudata>();
  root->kind = topIsMenu ? MENU_OF_MENUS : MENU_OF_ATTRIBUTES;
  doc.m_menus.push_back(std::move(root));
  const PastedBranch pasted = PasteBranch(doc, 0, decoded.branch);
  if (!topIsMenu) return pasted.attributes.size() == 1 ? FuzzVerdict::Accepted : FuzzVerdict::Violated;
  const auto again = EncodeMenuBranch(doc, pasted.top);
  const ClipboardDecodeResult reread = DecodeClipboardBranch(again.data(), again.size());
  if (!reread.ok || !SameRecords(decoded.branch, reread.branch)) return FuzzVerdict::Violated;
  return FuzzVerdict::Accepted;
}
