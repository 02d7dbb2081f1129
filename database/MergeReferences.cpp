#include "database/MergeReferences.h"

#include <functional>
#include <string>

#include "database/MergeItemMatcher.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

namespace {

// Calls visit(receiving page, incoming page, title) for every page of the
// incoming item that has a title (only the cited, non-empty ones when
// citedOnly); the receiving database gets the title, and the receiving
// item's page array grows to hold its page.
void ForEachIncomingPage(CZAVDoc& target, int targetItem, const CZAVDoc& source, int sourceItem, bool citedOnly,
                         const std::function<void(std::string&, const std::string&, const std::string&)>& visit) {
  const auto& pages = source.GetItem(sourceItem).referencePages;
  for (std::size_t r = 0; r < pages.size() && r < source.m_referenceTitles.size(); ++r) {
    if (citedOnly && pages[r].empty()) continue;
    const std::string& title = source.m_referenceTitles[r];
    const auto t = static_cast<std::size_t>(target.FindOrAddReference(title));
    auto& kept = target.GetItem(targetItem).referencePages;
    if (kept.size() <= t) kept.resize(t + 1);
    visit(kept[t], pages[r], title);
  }
}

void ReportDifferentPage(const CZAVDoc& target, int targetItem, const std::string& title) {
  const ItemNameParts parts = ItemNameParts::Of(target, targetItem);
  const std::string text = "The species " + parts.genus.value_or("") + " (" + parts.species.value_or("") + "/" +
                           parts.family.value_or("") + "/" + parts.common.value_or("") +
                           ") refers to different page in " + title;
  platform::Ui().ShowMessage(text, "Message");
}

}  // namespace

void MergeReferencePages(CZAVDoc& target, int targetItem, const CZAVDoc& source, int sourceItem) {
  ForEachIncomingPage(target, targetItem, source, sourceItem, true,
                      [&](std::string& kept, const std::string& incoming, const std::string& title) {
                        if (kept == incoming) return;
                        if (kept.empty())
                          kept = incoming;
                        else
                          ReportDifferentPage(target, targetItem, title);
                      });
}

void CopyReferencePages(CZAVDoc& target, int targetItem, const CZAVDoc& source, int sourceItem) {
  ForEachIncomingPage(target, targetItem, source, sourceItem, false,
                      [](std::string& kept, const std::string& incoming, const std::string&) { kept = incoming; });
}
