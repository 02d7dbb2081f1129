// Adding menus and attributes to the menu tree.
#include "database/MenuDepth.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

int CZAVDoc::AddMenu(const std::string& title, int parent, BYTE kind) {
  if (!BranchFitsBelow(*this, parent, 1)) ThrowErrorMessage(TooDeepMessage());
  const int index = FindFreeMenu();
  if (index >= kNoIndex16) ThrowErrorMessage("Too many menues!");
  if (index == MenuCount()) m_menus.push_back(std::make_unique<CQMenudata>());
  CQMenudata& menu = GetMenu(index);
  menu.parent = static_cast<WORD>(parent);
  menu.kind = kind;
  menu.children.clear();
  menu.difficulty = 0;
  menu.title = title;
  GetMenu(parent).children.push_back(static_cast<WORD>(index));
  SetModifiedFlag();
  return index;
}

int CZAVDoc::AddAttribute(const std::string& name, int menu) {
  const int index = FindFreeAttribute();
  if (index >= kNoIndex16) ThrowErrorMessage("Too many Attributes!");
  if (m_addingOnly.active) m_addingOnly.attributesFrom = index + 1;
  CQAttdata& attribute = GetOrCreateAttribute(index);
  attribute.menuIndex = static_cast<WORD>(menu);
  attribute.name = name;
  attribute.flag = 0;
  attribute.helpText.clear();
  attribute.pictures.clear();
  GetMenu(menu).children.push_back(static_cast<WORD>(index));
  m_attributesChanged = 1;
  UpdateMissingDataBits();
  SetModifiedFlag();
  return index;
}
