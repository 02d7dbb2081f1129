// What the menu and attribute editors share: a form of fields, then the help
// text and the picture rows of the tree node they edit.
#pragma once

#include <string>
#include <vector>

#include "editors/qt/EditorDialogBase.h"

class CPictureRowsWidget;
class QFormLayout;
class QPlainTextEdit;

class CNodeEditorDialog : public editors::qt::EditorDialogBase {
  Q_OBJECT
 public:
  CNodeEditorDialog(const char* caption, std::string helpTopic, QWidget* parent);

 protected:
  QFormLayout& Form() const { return *m_form; }
  // After the node's own fields: "Help Text:" and the picture rows, which the
  // dialog takes over, filled with the names.
  void AddHelpAndPictures(const std::string& helpText, CPictureRowsWidget* pictures,
                          const std::vector<std::string>& names);
  std::string HelpText() const;
  std::vector<std::string> PictureNames() const;

 private:
  QFormLayout* m_form;
  QPlainTextEdit* m_helpText = nullptr;
  std::string m_storedHelpText;
  CPictureRowsWidget* m_pictures = nullptr;
};
