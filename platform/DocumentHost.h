// What opening, saving and creating a database ask of the program beyond
// message boxes: the database description editor and the recent-file list.
// The program installs its own; tests install a scripted one.
#pragma once

#include <string>

class CZAVDoc;

class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  // Runs the database description editor on the document; false on Cancel.
  virtual bool EditDescription(CZAVDoc& document) = 0;
  virtual void AddRecentFile(const std::string& path) { (void)path; }
};

// The installed host; without one the description editor is always cancelled.
DocumentHost& Host();
void SetDocumentHost(DocumentHost* host);
