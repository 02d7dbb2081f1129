#include "shell/qt/DialogCommands.h"

#include <filesystem>
#include <functional>
#include <vector>

#include "database/CommandIds.h"
#include "database/ZAVDoc.h"
#include "platform/ReportFactory.h"
#include "platform/qt/DialogRunner.h"
#include "reports/PictureImportCommands.h"
#include "shell/qt/DlgGalleryOptions.h"
#include "shell/qt/DlgItemOptions.h"
#include "shell/qt/DlgItemsOptions.h"
#include "shell/qt/DlgMenusOptions.h"
#include "shell/qt/ThumbnailCreate.h"

namespace {

void ShowFirstPage(CZAVDoc& document, int kind) { ReportFactory().RunReport(document, kind, -1, kFirstPage); }

std::string ItemLabel(const CZAVDoc& document) {
  return document.m_header.scientificNamesEnabled ? document.GetSpeciesLabel() : document.GetCommonLabel();
}

// Empty for a database that was never saved.
std::string DatabaseFolder(const CZAVDoc& document) {
  return document.m_pathName.empty() ? std::string()
                                     : std::filesystem::path(document.m_pathName).parent_path().string();
}

CommandState Enabled(bool on = true, std::string text = {}) {
  return CommandState{on, CommandState::Check::None, std::move(text)};
}

struct DialogCommand {
  int id;
  std::function<void(CZAVDoc&, QWidget*)> run;
  std::function<CommandState(const CZAVDoc&)> state;
};

CommandState AlwaysEnabled(const CZAVDoc&) { return Enabled(); }

// Runs the dialog; true when it ended with OK.
template <typename Dialog, typename... Args>
bool Ask(QWidget* parent, Args&&... args) {
  Dialog dialog(parent, std::forward<Args>(args)...);
  return platform::qt::RunModal(dialog) == QDialog::Accepted;
}

const std::vector<DialogCommand>& Commands() {
  using Mode = GalleryOptionsForm::Mode;
  static const std::vector<DialogCommand> commands = {
      {cmd::kItemDescriptionOptions,
       [](CZAVDoc& d, QWidget* p) {
         Ask<CDlgItemOptions>(p, d);
         d.ShowReport(false);
       },
       [](const CZAVDoc& d) { return Enabled(true, ItemLabel(d) + " description"); }},
      {cmd::kItemListReportOptions,
       [](CZAVDoc& d, QWidget* p) {
         Ask<CDlgItemsOptions>(p, d);
         ShowFirstPage(d, kReportItemList);
       },
       [](const CZAVDoc& d) { return Enabled(true, ItemLabel(d) + " list report"); }},
      {cmd::kMenuListOptions,
       [](CZAVDoc& d, QWidget* p) {
         if (Ask<CDlgMenusOptions>(p)) d.ShowReport(false);
       },
       AlwaysEnabled},
      {cmd::kMenuReport,
       [](CZAVDoc& d, QWidget* p) {
         Ask<CDlgMenusOptions>(p);
         ShowFirstPage(d, kReportMenus);
       },
       AlwaysEnabled},
      {cmd::kGalleryOptions,
       [](CZAVDoc& d, QWidget* p) {
         Ask<CDlgGalleryOptions>(p, Mode::Gallery);
         ShowFirstPage(d, kReportGallery);
       },
       AlwaysEnabled},
      {cmd::kThumbnailImageSize,
       [](CZAVDoc& d, QWidget* p) {
         Ask<CDlgGalleryOptions>(p, Mode::ThumbnailSize);
         d.ShowReport(false);
       },
       AlwaysEnabled},
      {cmd::kNoMatchingImageFile, [](CZAVDoc& d, QWidget*) { OnNoMatchingImageFile(d); }, AlwaysEnabled},
      {cmd::kImportItemImages, [](CZAVDoc& d, QWidget*) { OnImportItemImages(d); },
       [](const CZAVDoc& d) { return Enabled(true, ImportItemImagesCommandText(d)); }},
      {cmd::kImportMenuImages, [](CZAVDoc& d, QWidget*) { OnImportMenuImages(d); }, AlwaysEnabled},
      {cmd::kCreateThumbnails, [](CZAVDoc& d, QWidget* p) { Ask<CThumbnailCreate>(p, DatabaseFolder(d)); },
       [](const CZAVDoc& d) { return Enabled(d.m_thumbnailFolder[0] != 0); }},
  };
  return commands;
}

const DialogCommand* Find(int command) {
  for (const auto& entry : Commands())
    if (entry.id == command) return &entry;
  return nullptr;
}

}  // namespace

bool RunDialogCommand(CZAVDoc& document, QWidget* parent, int command) {
  const DialogCommand* entry = Find(command);
  if (!entry) return false;
  entry->run(document, parent);
  return true;
}

std::optional<CommandState> DialogCommandState(const CZAVDoc& document, int command) {
  const DialogCommand* entry = Find(command);
  if (!entry) return std::nullopt;
  return entry->state(document);
}
