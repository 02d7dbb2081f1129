#include "reports/ReportPictureImport.h"

#include "database/PictureImport.h"
#include "database/Records.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

CReportPictureImport::CReportPictureImport(CZAVDoc& document, ReportKind kind, std::string importFolder)
    : CReport(document, kind, -1), m_importFolder(std::move(importFolder)) {}

CReportPictureImport::~CReportPictureImport() = default;

bool CReportPictureImport::ImportFolderAccepted() {
  const std::string databaseFolder = GetDatabaseFolder(Document());
  if (IsInsideFolder(m_importFolder, databaseFolder)) {
    platform::Ui().ShowMessage(kImportFolderInsideDatabase);
    return false;
  }
  const std::string& path = Document().m_pathName;
  m_importer = std::make_unique<PictureImporter>(m_importFolder, databaseFolder, path.substr(databaseFolder.size()));
  return true;
}

std::optional<std::vector<std::string>> CReportPictureImport::ResolveRecord(const std::string& label,
                                                                            std::string& pictures) {
  std::string list = pictures;
  TrimSpaces(list);
  if (list.empty()) return std::nullopt;
  std::vector<std::string> lines;
  if (m_importer->ResolveImageList(label, list, lines)) {
    pictures = list;
    Document().SetModifiedFlag();
  }
  return lines;
}
