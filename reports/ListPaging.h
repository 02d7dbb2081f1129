// The paging rule of the long list pages: entries are numbered from 1 in
// walk order; a run for the same page skips to the page's first entry, a
// run for the next page to the entry at which the last page stopped.
#pragma once

class CZAVDoc;

class ListPaging {
 public:
  // qualifying: how many entries the walk will meet. When a run for the
  // same page would skip all of them (the list shrank after a mark), the
  // page starts again at the first entry rather than coming out empty.
  ListPaging(CZAVDoc& doc, int keepPage, int qualifying);

  // Counts the next qualifying entry; false when it lies before the page.
  // The first entry not skipped becomes the page's first position.
  bool Admit();

  int position() const { return m_position; }
  // The page stopped at the current position (or the walk ended there).
  void SetEnd(int position);

 private:
  CZAVDoc& m_doc;
  int m_skipBelow = -1;
  int m_position = 0;
  bool m_started = false;
};

// The "More ..." link that ends a page when a limit is reached.
void AppendMoreLink();
