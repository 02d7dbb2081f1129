// Checks a database just read from a file before the document adopts it:
// every index points into its array, the menu tree has no cycles, lists each
// menu and attribute once, where its record says it hangs, and is no deeper
// than kMaxMenuDepth, and the data blocks match the layout for the attribute
// and item counts.
#pragma once

class CArchive;
class CZAVDoc;

// Throws ArchiveError on the first fault found. Also clears any bits past the
// last attribute in each row and drops data blocks when no layout needs any.
void CheckLoadedDatabase(CZAVDoc& loaded, CArchive& ar);
