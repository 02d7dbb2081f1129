// The merge command's work behind its dialog: two databases in, a third out.
#pragma once

#include <string>

#include "database/DatabaseMerge.h"

struct MergeRunResult {
  bool written = false;  // the output database was saved
  MergeCounts counts;
};

// Opens both databases, folds the second into the first and saves the
// result to outputPath; the two files picked are never changed. Refuses,
// writing nothing, when a path is missing, the output is one of the inputs,
// a symbolic link, a pipe, a device or a folder, a database cannot be
// opened or the first has no root menu; a plain file at the output is
// replaced only when the user agrees (the question defaults to No). The
// output is written without following a link under its name. A limit met
// midway ends the merge and the part merged so far is saved. Every message
// goes through the platform's message box.
MergeRunResult RunDatabaseMerge(const std::string& firstPath, const std::string& secondPath,
                                const std::string& outputPath);
