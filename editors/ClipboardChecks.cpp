#include "editors/ClipboardChecks.h"

#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

void RequireEditable(const CZAVDoc& doc) {
  if (!doc.IsEditable()) ThrowErrorMessage("The database is locked.");
}

void RequireMenu(const CZAVDoc& doc, int menu) {
  if (menu < 0 || menu >= doc.MenuCount() || doc.GetMenu(menu).kind == MENU_FREE) ThrowErrorMessage("Wrong menu index");
}

void RequireCuttable(const CZAVDoc& doc, int menu) {
  RequireEditable(doc);
  RequireMenu(doc, menu);
  if (doc.GetMenu(menu).parent >= doc.MenuCount()) ThrowErrorMessage("The top menu can't be cut.");
}
