#include "reports/PictureImportCommands.h"

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "reports/Action.h"
#include "reports/ReportCopyNotExistingItemImages.h"
#include "reports/ReportCopyNotExistingMenuImages.h"
#include "reports/ReportNotExistingImages.h"
#include "reports/ReportPages.h"

void OnNoMatchingImageFile(CZAVDoc& document) {
  CReportNotExistingImages report(document);
  report.Execute(MakeReportAction(kReportMissingPictures), kFirstPage);
}

std::optional<std::string> AskImportFolder(const CZAVDoc& document) {
  auto folder = platform::Ui().AskFolder("Choose Import Folder", GetDatabaseFolder(document));
  if (!folder) return std::nullopt;
  const auto end = folder->find_last_not_of("/\\ \t");
  if (end == std::string::npos) ThrowErrorMessage("Unable to get the folder name.");
  folder->erase(end + 1);
  return folder;
}

void RunItemPictureImport(CZAVDoc& document, const std::string& importFolder) {
  CReportCopyNotExistingItemImages report(document, importFolder);
  report.Execute(MakeReportAction(kReportPictureImport1), kFirstPage);
}

void RunMenuPictureImport(CZAVDoc& document, const std::string& importFolder) {
  CReportCopyNotExistingMenuImages report(document, importFolder);
  report.Execute(MakeReportAction(kReportPictureImport2), kFirstPage);
}

void OnImportItemImages(CZAVDoc& document) {
  if (const auto folder = AskImportFolder(document)) RunItemPictureImport(document, *folder);
}

void OnImportMenuImages(CZAVDoc& document) {
  if (const auto folder = AskImportFolder(document)) RunMenuPictureImport(document, *folder);
}

std::string ImportItemImagesCommandText(const CZAVDoc& document) {
  const std::string label =
      document.m_header.scientificNamesEnabled ? document.GetSpeciesLabel() : document.GetCommonLabel();
  return "Import and Resolve Location " + label + " images";
}
