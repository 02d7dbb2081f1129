#include "editors/ReferenceTitles.h"

#include "database/Records.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

int StoreReferenceTitle(CZAVDoc& doc, int index, const std::string& title) {
  if (title.find_first_not_of(' ') == std::string::npos) ThrowErrorMessage("Reference title must be entered");
  if (index != -1) {
    if (!IsValidIndex(index, doc.m_referenceTitles.size())) ThrowErrorMessage("Wrong reference index");
    doc.m_referenceTitles[index] = title;
    return index;
  }
  index = static_cast<int>(doc.m_referenceTitles.size());
  doc.m_referenceTitles.push_back(title);
  doc.UpdateMissingDataBits();
  doc.SetModifiedFlag();
  for (int item = 0; item < doc.ItemCount(); ++item) {
    std::vector<std::string>& pages = doc.GetItem(item).referencePages;
    if (doc.GetItem(item).IsFreeSlot()) continue;
    // A short page list is grown first, so the new page lands at the new
    // title's place and no page moves onto another title.
    if (pages.size() < static_cast<std::size_t>(index)) pages.resize(index);
    pages.insert(pages.begin() + index, std::string());
  }
  return index;
}
