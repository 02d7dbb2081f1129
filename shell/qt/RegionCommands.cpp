#include "shell/qt/RegionCommands.h"

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "editors/qt/ImageRegionEditor.h"
#include "editors/qt/ImageRegionSelectDlg.h"
#include "platform/ReportFactory.h"
#include "platform/qt/DialogRunner.h"
#include "shell/RegionMenus.h"
#include "shell/qt/LeftView.h"
#include "shell/PopupCommandIds.h"

using namespace popup_cmd;

namespace {

// The attribute menu a node stands for: itself, or an attribute's parent.
HTREEITEM AttributeMenuNode(CLeftView& view, HTREEITEM node) {
  const int kind = view.GetNodeKind(node);
  if (kind == KIND_ATTRIBUTE) return view.Tree().Nodes().Parent(node);
  return kind == KIND_ATTRIBUTE_MENU ? node : kNoNode;
}

int MenuOf(CLeftView& view, HTREEITEM menuNode) {
  return menuNode == kNoNode ? -1 : static_cast<int>(view.Tree().Nodes().Data(menuNode));
}

void RunOrMarkDialog(CLeftView& view, HTREEITEM attributeNode) {
  const HTREEITEM menuNode = view.Tree().Nodes().Parent(attributeNode);
  const int attribute = static_cast<int>(view.Tree().Nodes().Data(attributeNode));
  CImageRegionSelectDlg dialog(nullptr, &view);
  dialog.Model().menus = {OrMarkRegions(view.GetDocument(), MenuOf(view, menuNode), attribute)};
  dialog.SetTitle("Place Or marks on Region attributes");
  dialog.OnInitDialog();
  if (platform::qt::RunModal(dialog) != QDialog::Accepted) return;
  view.Tree().ApplyRegionOrMarks(menuNode, dialog.Model().MarkingChoices());
}

void RunRegionEditor(CLeftView& view) {
  const HTREEITEM menuNode = AttributeMenuNode(view, view.SelectedNode());
  const int menu = MenuOf(view, menuNode);
  if (!CanEditRegions(view.GetDocument(), menu)) return;
  const MenuRegionAttributes regions = CollectMenuRegions(view.GetDocument(), menu);
  CImageRegionEditor editor(&view);
  editor.Model().menuTitle = regions.title;
  editor.Model().picturePath = regions.picturePath;
  editor.Model().keyFolder = GetDatabaseFolder(view.GetDocument());
  for (const RegionAttribute& attribute : regions.attributes) editor.Model().attributeNames.push_back(attribute.name);
  editor.OnInitDialog();
  if (platform::qt::RunModal(editor) != QDialog::Accepted) return;
  // OK stored the regions: the menu's page, when shown, is made again with
  // them (a menu that had none now shows its regions page).
  const CZAVDoc& doc = view.GetDocument();
  if ((doc.m_reportKind == kReportRegions || doc.m_reportKind == kReportMenuItem) && doc.m_reportArgument == menu)
    view.ShowNodeReport(menuNode);
}
}  // namespace

void InstallRegionCommands(CLeftView& view) {
  view.SetRegionOrDialog([&view](HTREEITEM attributeNode) { RunOrMarkDialog(view, attributeNode); });
  view.AddCommandHandler(kEditRegion, [&view] { RunRegionEditor(view); });
  // Only a menu with a picture in a database that may be edited has regions to draw.
  view.SetCommandOffer(kEditRegion, [&view](HTREEITEM node) {
    return CanEditRegions(view.GetDocument(), MenuOf(view, AttributeMenuNode(view, node)));
  });
}
