// The text rules of a database merge: joining help texts and picture lists
// of records that both databases have, and the proposed output path.
#pragma once

#include <string>
#include <vector>

// The pieces between the separators, empty ones included; the text after
// the last separator only when it is not empty; a text without separator
// is one piece (an empty text gives no piece).
std::vector<std::string> SplitAtChar(const std::string& text, char separator);

// Puts the incoming help text in front of the kept one, unless the kept one
// already contains it.
void MergeHelpText(std::string& kept, const std::string& incoming);

// Appends every incoming picture name that the kept list does not contain
// yet, each followed by ";".
void MergePictureList(std::string& kept, const std::string& incoming);

// The output proposed for a merge into the given database: the path with
// the file name's extension replaced by "_merge.qor" (a dot in a folder
// name does not count); empty for an empty path.
std::string ProposeMergeOutputPath(const std::string& firstPath);
