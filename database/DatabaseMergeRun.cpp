#include "database/DatabaseMergeRun.h"

#include <filesystem>

#include "database/OutputFile.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"

namespace {

void Refuse(const std::string& text) { platform::Ui().ShowMessage(text, "Message", platform::MessageIcon::Error); }

bool IsSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

bool HasRootMenu(const CZAVDoc& document) { return document.MenuCount() > 0 && document.GetMenu(0).kind != MENU_FREE; }

void ReportSkippedAttributes(int skipped) {
  if (skipped == 0) return;
  platform::Ui().ShowMessage(std::to_string(skipped) +
                                 " attribute(s) were not merged: a menu on their path has another kind in the first "
                                 "database.",
                             "Message", platform::MessageIcon::Warning);
}

}  // namespace

MergeRunResult RunDatabaseMerge(const std::string& firstPath, const std::string& secondPath,
                                const std::string& outputPath) {
  MergeRunResult result;
  if (outputPath.empty() || firstPath.empty() || secondPath.empty()) {
    platform::Ui().ShowMessage("Please choose databases");
    return result;
  }
  // The proposed name comes from the key's folder, which may hold a link
  // or a pipe under it: refused before anything else is looked at.
  if (RefuseOutputFile(outputPath, "Nothing was merged.")) return result;
  if (IsSameFile(outputPath, firstPath) || IsSameFile(outputPath, secondPath)) {
    Refuse("The output database must not be one of the databases merged. Nothing was merged.");
    return result;
  }
  if (!AgreeToReplaceOutputFile(outputPath)) return result;
  CZAVDoc first, second;
  // Their loads' dumps are written only when nothing later replaces them:
  // after a merge, the output's save does.
  first.DeferXmlDumpOfLoad();
  second.DeferXmlDumpOfLoad();
  if (!first.OnOpenDocument(firstPath)) {
    Refuse("The first database could not be opened. Nothing was merged.");
    return result;
  }
  if (!second.OnOpenDocument(secondPath)) {
    Refuse("The second database could not be opened. Nothing was merged.");
    return result;
  }
  if (!HasRootMenu(first)) {
    Refuse("The first database has no root menu. Nothing was merged.");
    return result;
  }
  first.m_mergeOutputPath = outputPath;
  DatabaseMerge merge(first, second);
  RunCommand([&] { merge.Run(); });
  result.counts = merge.Counts();
  first.SetModifiedFlag();
  result.written = first.OnSaveDocument(outputPath);
  if (result.written) ReportSkippedAttributes(result.counts.attributesSkipped);
  return result;
}
