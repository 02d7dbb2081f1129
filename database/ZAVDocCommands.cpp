#include "database/ZAVDocCommands.h"

#include <functional>
#include <memory>
#include <vector>

#include "database/CommandIds.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/ReportFactory.h"
#include "platform/Ui.h"

namespace {

void ShowFirstPage(CZAVDoc& document, int kind) { ReportFactory().RunReport(document, kind, -1, kFirstPage); }

CommandState Enabled(bool on) { return CommandState{on, CommandState::Check::None, {}}; }

CommandState Checked(bool on) {
  return CommandState{true, on ? CommandState::Check::Checked : CommandState::Check::Unchecked, {}};
}

// A toolbar toggle: pressed while set, indeterminate while clear.
CommandState Pressed(bool on) {
  return CommandState{true, on ? CommandState::Check::Checked : CommandState::Check::Indeterminate, {}};
}

void OnShowReferences(CZAVDoc& document) {
  document.m_showReferences = document.m_showReferences ? 0 : 1;
  if (ILeftView* tree = document.GetLeftView()) tree->OnUpdate();  // refills the references subtree
}

void OnShowDatabaseDescription(CZAVDoc& document) {
  document.m_showDescription = document.m_showDescription ? 0 : 1;
  if (ILeftView* tree = document.GetLeftView()) tree->ShowDescriptionNode(document.m_showDescription != 0);
}

// The reports take the use-thumbnails flag from the document's copy of the
// item list options.
bool UsesThumbnails(const CZAVDoc& document) { return document.m_itemListOptions[kListThumbnail] != 0; }

void OnThumbnailRegularSize(CZAVDoc& document) {
  const int on = UsesThumbnails(document) ? 0 : 1;
  document.m_itemListOptions[kListThumbnail] = on;
  ReportFactory().SetThumbnails(on != 0);
  document.ShowReport(true);
}

void OnUseThumbnails(CZAVDoc& document) {
  document.m_itemListOptions[kListThumbnail] = UsesThumbnails(document) ? 0 : 1;
  document.ShowReport(false);
}

struct DocumentCommand {
  int id;
  std::function<void(CZAVDoc&)> run;
  std::function<CommandState(const CZAVDoc&)> state;
};

CommandState AlwaysEnabled(const CZAVDoc&) { return Enabled(true); }
CommandState WhileEditable(const CZAVDoc& document) { return Enabled(IsDatabaseEditable(&document)); }

std::function<void(CZAVDoc&)> Report(int kind) {
  return [kind](CZAVDoc& document) { ShowFirstPage(document, kind); };
}

DocumentCommand Forgiveness(int level) {
  return {cmd::kForgivenessLevel0 + level, [level](CZAVDoc& d) { d.OnForgivenessLevel(level); },
          [level](const CZAVDoc& d) { return Checked(d.IsForgivenessLevelChecked(level)); }};
}

const std::vector<DocumentCommand>& Commands() {
  static const std::vector<DocumentCommand> commands = {
      {cmd::kItemListReport, OnItemListReport, AlwaysEnabled},
      {cmd::kClearAllMarks, [](CZAVDoc& d) { d.OnClearAllMarks(); }, AlwaysEnabled},
      {cmd::kAnalyze, [](CZAVDoc& d) { ReportFactory().RunAnalysis(d); }, AlwaysEnabled},
      {cmd::kLockDatabase, OnLockDatabase,
       [](const CZAVDoc& d) {
         const bool editable = IsDatabaseEditable(&d);
         return CommandState{editable, CommandState::Check::None, editable ? "Lock" : "Unlock"};
       }},
      {cmd::kRefreshTreeOrder,
       [](CZAVDoc& d) {
         if (d.GetLeftView()) d.GetLeftView()->OnUpdate();
       },
       AlwaysEnabled},
      {cmd::kShowReferences, OnShowReferences, [](const CZAVDoc& d) { return Pressed(d.m_showReferences != 0); }},
      {cmd::kShowDatabaseDescription, OnShowDatabaseDescription,
       [](const CZAVDoc& d) { return Pressed(d.m_showDescription != 0); }},
      {cmd::kGallery, Report(kReportGallery), AlwaysEnabled},
      {cmd::kMarkedAndEliminated, Report(kReportEliminated), AlwaysEnabled},
      {cmd::kDisplayMenus, Report(kReportMenus), AlwaysEnabled},
      {cmd::kCommonAttributes, Report(kReportCommon), AlwaysEnabled},
      {cmd::kToggleRightPaneRefresh,
       [](CZAVDoc&) { ReportFactory().SetRefreshesRightPane(!ReportFactory().RefreshesRightPane()); },
       [](const CZAVDoc&) { return Checked(ReportFactory().RefreshesRightPane()); }},
      {cmd::kDeleteAllExceptRemaining, [](CZAVDoc& d) { d.OnDeleteAllExceptRemaining(); }, WhileEditable},
      Forgiveness(0),
      Forgiveness(1),
      Forgiveness(2),
      Forgiveness(3),
      {cmd::kThumbnailRegularSize, OnThumbnailRegularSize, AlwaysEnabled},
      {cmd::kUseThumbnails, OnUseThumbnails, [](const CZAVDoc& d) { return Checked(UsesThumbnails(d)); }},
      {cmd::kAllowMissingData, [](CZAVDoc& d) { d.OnAllowMissingData(); },
       [](const CZAVDoc& d) { return Checked(d.IsAllowMissingDataChecked()); }},
      {cmd::kLockPane, [](CZAVDoc&) {},
       [](const CZAVDoc& d) {
         return CommandState{true, CommandState::Check::None, LockPaneText(d)};
       }},
      {cmd::kForgivenessPane, [](CZAVDoc&) {},
       [](const CZAVDoc& d) {
         return CommandState{true, CommandState::Check::None, d.GetForgivenessPaneText()};
       }},
  };
  return commands;
}

const DocumentCommand* Find(int command) {
  for (const auto& entry : Commands())
    if (entry.id == command) return &entry;
  return nullptr;
}

}  // namespace

bool RunDocumentCommand(CZAVDoc& document, int command) {
  const DocumentCommand* entry = Find(command);
  if (!entry) return false;
  entry->run(document);
  return true;
}

std::optional<CommandState> DocumentCommandState(const CZAVDoc& document, int command) {
  const DocumentCommand* entry = Find(command);
  if (!entry) return std::nullopt;
  return entry->state(document);
}

void OnLockDatabase(CZAVDoc& document) {
  if (IsDatabaseEditable(&document) && platform::Ui().AskYesNo(kLockQuestion, false)) document.m_header.lockWord = 0;
  document.SetModifiedFlag(true);
}

std::string LockPaneText(const CZAVDoc& document) { return IsDatabaseEditable(&document) ? "UNLOCKED" : " LOCKED "; }

void OnItemListReport(CZAVDoc& document) {
  if (IItemListView* list = document.GetItemListView()) {
    list->SelectRow(0);
  }
  ShowFirstPage(document, kReportItemList);
}
