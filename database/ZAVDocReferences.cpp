// The reference titles and every item's page for each of them. An item's
// pages stand by position beside the titles, so whatever adds, removes or
// moves a title does the same to every used item's pages, here and only
// here.
#include <algorithm>

#include "database/Records.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

namespace {

// Moves the entry at from to just behind after (-1: to the front).
void MoveEntry(std::vector<std::string>& list, int from, int after) {
  std::string value = list[from];
  list.insert(list.begin() + (after + 1), std::move(value));
  list.erase(list.begin() + (from > after ? from + 1 : from));
}

}  // namespace

int CZAVDoc::FindOrAddReference(const std::string& title) {
  for (std::size_t i = 0; i < m_referenceTitles.size(); ++i)
    if (m_referenceTitles[i] == title) return static_cast<int>(i);
  return AddReferenceTitle(title);
}

int CZAVDoc::AddReferenceTitle(const std::string& title) {
  const int index = static_cast<int>(m_referenceTitles.size());
  m_referenceTitles.push_back(title);
  for (int item = 0; item < ItemCount(); ++item)
    if (!GetItem(item).IsFreeSlot()) FitReferencePages(item);
  return index;
}

void CZAVDoc::RemoveReferenceTitle(int reference) {
  if (!IsValidIndex(reference, m_referenceTitles.size())) ThrowErrorMessage("Wrong reference index");
  for (int item = 0; item < ItemCount(); ++item) {
    CQItemrec& record = GetItem(item);
    if (record.IsFreeSlot()) continue;
    FitReferencePages(item);
    record.referencePages.erase(record.referencePages.begin() + reference);
  }
  m_referenceTitles.erase(m_referenceTitles.begin() + reference);
}

void CZAVDoc::MoveReferenceTitle(int reference, int after) {
  const int count = static_cast<int>(m_referenceTitles.size());
  if (reference < 0 || reference >= count) ThrowErrorMessage("Can't move! Wrong source index.");
  if (after < -1 || after >= count) ThrowErrorMessage("Can't move! Wrong destination index.");
  MoveEntry(m_referenceTitles, reference, after);
  for (int item = 0; item < ItemCount(); ++item) {
    if (GetItem(item).IsFreeSlot()) continue;
    FitReferencePages(item);
    MoveEntry(GetItem(item).referencePages, reference, after);
  }
}

std::string& CZAVDoc::ReferencePage(int item, int reference) {
  std::vector<std::string>& pages = GetItem(item).referencePages;
  const auto needed = std::max(m_referenceTitles.size(), static_cast<std::size_t>(reference) + 1);
  if (pages.size() < needed) pages.resize(needed);
  return pages[reference];
}

// Pages beyond the titles (from a damaged file) are kept: they are the
// user's text, and are written back as they were read.
void CZAVDoc::FitReferencePages(int item) {
  std::vector<std::string>& pages = GetItem(item).referencePages;
  if (pages.size() < m_referenceTitles.size()) pages.resize(m_referenceTitles.size());
}
