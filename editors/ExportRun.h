// The exporter calls around the element tree, in the order the export
// command makes them, with the message the user is shown when one fails.
#pragma once

#include <cstdint>
#include <string>

#include "editors/ExportTree.h"

struct ExportRunResult {
  ExportTreeResult::Status status = ExportTreeResult::Status::Completed;
  std::string message;  // what the error box shows; empty unless a call failed
};

// SetParentWindow, SetDatabaseName and SetDatabaseFolder (from the
// database's path), in this order; stops at the first failure.
ExportRunResult IntroduceDatabase(QORExporter& exporter, std::intptr_t parentWindow, const std::string& databasePath);

// BeginExport, the element tree and EndExport. A failing element call is
// reported as "Error : '<the exporter's text>'"; a failing BeginExport or
// EndExport with the exporter's text alone. After a cancel or a failing
// element call EndExport is not called.
// Whether the export dialog ends after the stream: it does unless the user
// stopped it. A failing call has been reported with its message, as the
// exporter gave it, and ends the dialog as a finished export does; after a
// stop the user may choose again.
bool EndsExportDialog(const ExportRunResult& streamed);

ExportRunResult StreamDatabase(const CZAVDoc& document, QORExporter& exporter, const ExportSelection& selection,
                               const ExportProgress& progress);
