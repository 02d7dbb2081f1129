// What the two picture import reports share: the import folder, its test
// against the database folder and the resolution of one record's list.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "reports/Report.h"

class PictureImporter;

class CReportPictureImport : public CReport {
 public:
  ~CReportPictureImport() override;

  const std::string& ImportFolder() const { return m_importFolder; }

 protected:
  CReportPictureImport(CZAVDoc& document, ReportKind kind, std::string importFolder);

  // False after telling the author, when the import folder lies inside the
  // database folder: the page then stays empty and no record is touched.
  bool ImportFolderAccepted();

  // Resolves the record's picture list; a changed list is stored back and
  // the document marked modified. Nothing when the trimmed list is empty,
  // else one line per picture.
  std::optional<std::vector<std::string>> ResolveRecord(const std::string& label, std::string& pictures);

 private:
  std::string m_importFolder;
  std::unique_ptr<PictureImporter> m_importer;
};

inline constexpr const char* kImportFolderInsideDatabase =
    "The import image directory can not be a sub-directory of the QOR database directory";
