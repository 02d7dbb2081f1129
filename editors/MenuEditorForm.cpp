#include "editors/MenuEditorForm.h"

#include "database/ZAVDoc.h"
#include "editors/FieldChecks.h"
#include "editors/ItemForm.h"

MenuEditorForm MenuEditorForm::Load(const CZAVDoc& doc, int menu) {
  MenuEditorForm form;
  if (menu < 0) return form;
  const CQMenudata& record = doc.GetMenu(menu);
  form.title = record.title;
  form.difficulty = std::to_string(record.difficulty);
  form.helpText = record.helpText;
  form.pictures = editors::PictureNames(record.pictures);
  return form;
}

int MenuEditorForm::Check() const {
  // Blanks count as a title: only an empty field is refused.
  editors::CheckField(kTitleField, [&] { editors::CheckNotEmpty(title, "Menu name is empty."); });
  return editors::CheckField(kDifficultyField, [&] { return editors::CheckIntegerBetween(difficulty, 1, 4); });
}

int MenuEditorForm::Store(CZAVDoc& doc, int menu, int parent, bool attributeMenu) const {
  const int level = Check();
  if (menu < 0) menu = doc.AddMenu(title, parent, attributeMenu ? MENU_OF_ATTRIBUTES : MENU_OF_MENUS);
  CQMenudata& record = doc.GetMenu(menu);
  record.difficulty = static_cast<BYTE>(level);
  record.title = title;
  record.helpText = helpText;
  record.pictures = NormalizePictureList(editors::PictureTextOf(pictures));
  return menu;
}
