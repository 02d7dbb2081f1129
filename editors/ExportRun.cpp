#include "editors/ExportRun.h"

#include <functional>
#include <initializer_list>

#include "database/ZAVDoc.h"
#include "editors/ExportDatabasePath.h"
#include "editors/QORExporter.h"
#include "platform/Ui.h"

namespace {

ExportRunResult Failed(const std::string& message) { return {ExportTreeResult::Status::Failed, message}; }

// Runs the calls in order; the first failure ends them.
ExportRunResult RunCalls(std::initializer_list<std::function<ExportCallResult()>> calls) {
  for (const auto& call : calls)
    if (const ExportCallResult result = call(); !result.ok) return Failed(result.error);
  return {};
}

void Trace(const char* label, std::size_t value) { platform::Ui().Trace(label + std::to_string(value) + "\n"); }

}  // namespace

ExportRunResult IntroduceDatabase(QORExporter& exporter, std::intptr_t parentWindow, const std::string& databasePath) {
  const ExportDatabasePath path = ExportDatabasePath::Split(databasePath);
  return RunCalls({[&] { return exporter.SetParentWindow(parentWindow); },
                   [&] { return exporter.SetDatabaseName(path.name); },
                   [&] { return exporter.SetDatabaseFolder(path.folder); }});
}

ExportRunResult StreamDatabase(const CZAVDoc& document, QORExporter& exporter, const ExportSelection& selection,
                               const ExportProgress& progress) {
  Trace("Item name array size = ", document.m_itemNames.size());
  Trace("Attribute array size = ", static_cast<std::size_t>(document.AttributeCount()));
  Trace("Menu array size = ", static_cast<std::size_t>(document.MenuCount()));
  if (const ExportCallResult begun = exporter.BeginExport(); !begun.ok) return Failed(begun.error);
  int steps = 0;
  const ExportTreeResult tree = BuildExportTree(document, exporter, selection, [&](int done, int total) {
    steps = done;
    return !progress || progress(done, total);
  });
  if (tree.status == ExportTreeResult::Status::Failed) return Failed("Error : '" + tree.error + "'");
  if (tree.status == ExportTreeResult::Status::Cancelled) return {tree.status, {}};
  if (const ExportCallResult ended = exporter.EndExport(); !ended.ok) return Failed(ended.error);
  Trace("Ticks = ", static_cast<std::size_t>(CountExportSteps(document)));
  Trace("Tick  = ", static_cast<std::size_t>(steps));
  return {};
}

bool EndsExportDialog(const ExportRunResult& streamed) {
  return streamed.status != ExportTreeResult::Status::Cancelled;
}
