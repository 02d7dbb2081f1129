#include "editors/DescriptionEditor.h"

#include <memory>

#include "database/LevelNames.h"
#include "database/ZAVDoc.h"
#include "editors/FieldChecks.h"
#include "editors/LinkTextChecks.h"
#include "editors/NameKindSwitch.h"
#include "platform/ErrorBox.h"

namespace editors {

namespace {

const char* const kDefaultLevelTitles[4] = {"Common", "Family", "Genus", "Species"};
// A level title is read with room for 1000 characters, terminator included.
constexpr std::size_t kLevelTitleCharacters = 999;

NameKinds KindsOf(const CQDochdr& header) {
  return {header.commonNamesEnabled != 0, header.scientificNamesEnabled != 0};
}

std::array<std::string, 4> StoredTitles(const LevelNames& names) {
  return {names.common, names.family, names.genus, names.species};
}

}  // namespace

DescriptionEditor::DescriptionEditor(CZAVDoc& document)
    : m_document(document), m_opened(KindsOf(document.m_header)), m_openedEditable(document.IsEditable()) {}

DescriptionForm DescriptionEditor::InitialForm() const {
  const CQDochdr& header = m_document.m_header;
  DescriptionForm form;
  form.title = header.title;
  form.dbVersion = header.dbVersion;
  form.menuVersion = header.menuVersion;
  form.description = header.description;
  form.names = m_opened;
  if (m_document.MenuCount() > 0) {
    const int kind = m_document.GetMenu(0).kind;
    form.rootKind = kind == MENU_FREE ? 0 : kind - 1;
  }
  form.useLevelNames = m_document.m_levelNames->inUse;
  form.levelTitles = ShownLevelTitles(form);
  return form;
}

bool DescriptionEditor::RootKindEnabled() const { return m_document.MenuCount() == 0; }

bool DescriptionEditor::LevelRowEnabled(const DescriptionForm& form, int row) {
  if (!form.useLevelNames) return false;
  return row == kLevelCommon ? form.names.common : form.names.scientific;
}

std::array<std::string, 4> DescriptionEditor::ShownLevelTitles(const DescriptionForm& form) const {
  const LevelNames& stored = *m_document.m_levelNames;
  const std::array<std::string, 4> titles = StoredTitles(stored);
  std::array<std::string, 4> shown;
  for (int row = 0; row < 4; ++row)
    if (LevelRowEnabled(form, row)) shown[row] = stored.inUse ? titles[row] : kDefaultLevelTitles[row];
  return shown;
}

bool DescriptionEditor::Store(const DescriptionForm& form) {
  if (!form.names.common && !form.names.scientific) ThrowErrorMessage("At least one item name type must be selected");
  if (form.title.empty()) ThrowErrorMessage("Database title must be entered");
  CheckDescriptionWithoutLinkMarker(form.description);
  const bool renaming = form.names != m_opened && CountItemsInUse(m_document) > 0;
  if (renaming && !ConfirmNameKindSwitch(m_opened, form.names)) return false;

  StoreHeader(form);
  StoreRootMenu(form);
  m_document.UpdateMissingDataBits();
  m_document.SetModifiedFlag();
  SwitchNameKinds(m_document, m_opened, form.names);
  StoreLevelNames(form);
  m_opened = form.names;
  return true;
}

void DescriptionEditor::StoreHeader(const DescriptionForm& form) {
  CQDochdr& header = m_document.m_header;
  header.commonNamesEnabled = form.names.common ? 1 : 0;
  header.scientificNamesEnabled = form.names.scientific ? 1 : 0;
  header.dbVersion = form.dbVersion;
  header.description = form.description;
  header.menuVersion = form.menuVersion;
  header.title = form.title;
  // The lock word is derived from the description, so a new description
  // needs a new one; a locked database stays locked.
  if (m_openedEditable) header.lockWord = CZAVDoc::LockTokenFor(header.description);
}

void DescriptionEditor::StoreRootMenu(const DescriptionForm& form) {
  if (m_document.MenuCount() == 0) {
    auto root = std::make_unique<CQMenudata>();
    root->difficulty = 1;
    root->parent = kNoIndex16;
    root->title = form.title;
    root->kind = MENU_OF_MENUS;
    m_document.m_menus.push_back(std::move(root));
  }
  // Once a second menu hangs below the root its kind is fixed.
  if (m_document.MenuCount() < 2) m_document.GetMenu(0).kind = static_cast<BYTE>(form.rootKind + 1);
}

void DescriptionEditor::StoreLevelNames(const DescriptionForm& form) {
  LevelNames& names = *m_document.m_levelNames;
  names.SetFilePath(m_document.m_pathName);
  names.inUse = form.useLevelNames;
  names.modified = true;
  if (!form.useLevelNames) return;
  names.common = KeepCharacters(form.levelTitles[kLevelCommon], kLevelTitleCharacters);
  names.family = KeepCharacters(form.levelTitles[kLevelFamily], kLevelTitleCharacters);
  names.genus = KeepCharacters(form.levelTitles[kLevelGenus], kLevelTitleCharacters);
  names.species = KeepCharacters(form.levelTitles[kLevelSpecies], kLevelTitleCharacters);
}

}  // namespace editors
