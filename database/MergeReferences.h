// The reference pages an item brings into a merge: titles are matched by
// text, added to the receiving database when it lacks them.
#pragma once

class CZAVDoc;

// For an item both databases have: each page the incoming item cites fills
// the receiving item's page of that title when that page is empty; a
// different non-empty page is kept and reported in a "Message" box.
void MergeReferencePages(CZAVDoc& target, int targetItem, const CZAVDoc& source, int sourceItem);

// For an item just added: every page of the incoming item, empty ones too,
// becomes the receiving item's page of that title.
void CopyReferencePages(CZAVDoc& target, int targetItem, const CZAVDoc& source, int sourceItem);
