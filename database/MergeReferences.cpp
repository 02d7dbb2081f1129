#include "database/MergeReferences.h"

#include <functional>
#include <string>

#include "database/UtilityFunction.h"
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
    visit(target.ReferencePage(targetItem, target.FindOrAddReference(title)), pages[r], title);
  }
}

std::string StoredText(const std::string* text) { return text ? *text : std::string(); }

// The receiving item's names appear as stored, blanks included.
void ReportDifferentPage(const CZAVDoc& target, int targetItem, const std::string& title) {
  const CQItemrec& item = target.GetItem(targetItem);
  const std::string text = "The species " + StoredText(TextAt(target.m_genusNames, item.genusIndex)) + " (" +
                           StoredText(NameAt(target.m_speciesNames, item.speciesIndex)) + "/" +
                           StoredText(TextAt(target.m_familyNames, item.familyIndex)) + "/" +
                           StoredText(NameAt(target.m_itemNames, item.nameIndex)) + ") refers to different page in " +
                           title;
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
