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
  index = doc.AddReferenceTitle(title);
  doc.UpdateMissingDataBits();
  doc.SetModifiedFlag();
  return index;
}
