// Streams one database to an exporter as a tree of named elements whose
// root is "QOR": the header, the tree view's current selection, the menu
// tree with its attributes, the reference titles and every remaining item
// with its names, texts, reference pages and attributes.
#pragma once

#include <functional>
#include <string>

#include "editors/ExportSelection.h"

class CZAVDoc;
class QORExporter;

// Told after every step (one per menu, attribute and name entry visited);
// answers false when the user has cancelled.
using ExportProgress = std::function<bool(int done, int total)>;

struct ExportTreeResult {
  enum class Status { Completed, Cancelled, Failed };
  Status status = Status::Completed;
  std::string error;  // the exporter's text when an element call failed
};

// The number of steps the walk reports: attributes + menus + entries of the
// current name order.
int CountExportSteps(const CZAVDoc& document);

// Sends the element tree. A cancel or a failing element call stops the walk
// at once, leaving the open elements unclosed; the caller then skips EndExport.
ExportTreeResult BuildExportTree(const CZAVDoc& document, QORExporter& exporter, const ExportSelection& selection,
                                 const ExportProgress& progress);
