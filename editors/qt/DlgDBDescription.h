// The database description editor: title, versions, description, the kinds
// of item names, the root menu's kind while the database has no menu, and
// the custom names of the classification levels. The rules are the core's
// DescriptionEditor; this window shows its form and hands OK to it.
#pragma once

#include <array>

#include "editors/DescriptionEditor.h"
#include "editors/qt/EditorDialogBase.h"

class CZAVDoc;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace editors::qt {

class CDlgDBDescription : public EditorDialogBase {
  Q_OBJECT
 public:
  CDlgDBDescription(CZAVDoc& document, QWidget* parent);

  // What the fields hold now.
  DescriptionForm Form() const;

 protected:
  bool OnOK() override;

 private:
  QWidget* BuildNamesGroup(const DescriptionForm& form);
  QWidget* BuildRootKindGroup(const DescriptionForm& form);
  QWidget* BuildLevelNamesGroup(const DescriptionForm& form);
  // A click on custom names or on a name kind: rows enabled, titles shown again.
  void OnLevelSwitch();
  void EnableLevelNames();
  void ShowLevelNames();

  CZAVDoc& m_document;
  DescriptionEditor m_editor;
  QLineEdit* m_title;
  QLineEdit* m_dbVersion;
  QLineEdit* m_menuVersion;
  QPlainTextEdit* m_description;
  QCheckBox* m_common;
  QCheckBox* m_scientific;
  QRadioButton* m_rootMenus;
  QRadioButton* m_rootAttributes;
  QCheckBox* m_useLevelNames;
  std::array<QLineEdit*, 4> m_levelTitles{};
  std::array<QLabel*, 4> m_levelLabels{};
};

// Runs the editor modally on the document; false on Cancel.
bool RunDescriptionEditor(CZAVDoc& document, QWidget* parent);

}  // namespace editors::qt
