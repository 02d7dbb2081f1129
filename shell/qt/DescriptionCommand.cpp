#include "shell/qt/DescriptionCommand.h"

#include "database/ZAVDoc.h"
#include "editors/qt/DlgDBDescription.h"
#include "shell/MenuTreeEditing.h"
#include "shell/qt/LeftView.h"

void RegisterDescriptionCommand(CLeftView& view) {
  view.AddCommandHandler(kCmdEditDatabaseDescription, [&view] { EditDatabaseDescription(view); });
}

void EditDatabaseDescription(CLeftView& view) {
  CZAVDoc& document = view.GetDocument();
  if (!editors::qt::RunDescriptionEditor(document, &view)) return;
  // The root's kind and the name kinds may have changed: the tree is built
  // again below its root, which refills the item list too.
  view.OnUpdate();
  view.RefreshTree();
  CMenuTreeEditing(view.Tree()).SetModifiedAndRefresh();
}
