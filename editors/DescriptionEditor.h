// The database description editor without its window: what the form shows
// when it opens, which level-name fields are enabled and what they show
// after a click, and the checks and stores of OK.
#pragma once

#include <array>
#include <string>

#include "editors/NameKinds.h"

class CZAVDoc;

namespace editors {

// Level rows in the order of the levels file.
enum LevelRow { kLevelCommon = 0, kLevelFamily, kLevelGenus, kLevelSpecies };

// What the user sees and types in the form.
struct DescriptionForm {
  std::string title;
  std::string dbVersion;
  std::string menuVersion;
  std::string description;
  NameKinds names;
  int rootKind = 0;  // 0 menu of submenus, 1 menu of attributes
  bool useLevelNames = false;
  std::array<std::string, 4> levelTitles;
};

class DescriptionEditor {
 public:
  explicit DescriptionEditor(CZAVDoc& document);

  // The form as the dialog opens, level titles included.
  DescriptionForm InitialForm() const;
  // The root kind is chosen only while the database has no menu.
  bool RootKindEnabled() const;
  // Common row enabled with custom names and common names ticked; the three
  // scientific rows with custom names and scientific names ticked.
  static bool LevelRowEnabled(const DescriptionForm& form, int row);
  // What the level fields show after a click on one of the three boxes:
  // the stored titles (defaults while custom names are not in use) in the
  // enabled rows, empty ones elsewhere; what was typed is replaced.
  std::array<std::string, 4> ShownLevelTitles(const DescriptionForm& form) const;

  // OK: the checks in order (the error box on the first failure), the
  // questions before names are deleted, then the stores. False when a
  // question was answered No: nothing is stored and the dialog stays.
  bool Store(const DescriptionForm& form);

 private:
  void StoreHeader(const DescriptionForm& form);
  void StoreRootMenu(const DescriptionForm& form);
  void StoreLevelNames(const DescriptionForm& form);

  CZAVDoc& m_document;
  NameKinds m_opened;     // the name kinds as the dialog opened
  bool m_openedEditable;  // only an editable database is re-signed
};

}  // namespace editors
