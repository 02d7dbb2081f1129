// The picture list of the editors: the reorderable rows, the hidden text of
// the last chosen picture and the Add / Remove buttons.
#pragma once

#include "editors/qt/PictureRowsWidget.h"
#include <string>
#include <vector>

class CMyListCtrl;
class QLineEdit;
class QPushButton;

class CPictureListPanel : public CPictureRowsWidget {
  Q_OBJECT
 public:
  // The item editor's buttons name the pictures ("Add Image", "Remove Image");
  // the menu and attribute editors' say "Add" and "Remove".
  enum class Wording { Short, Image };
  explicit CPictureListPanel(Wording wording = Wording::Short, QWidget* parent = nullptr);

  void SetNames(const std::vector<std::string>& names) override;
  std::vector<std::string> Names() const override;
  CMyListCtrl& List() const { return *m_list; }

  void OnAddPicture();
  void OnChoosePicture();
  void OnRemovePicture();
  void OnRemoveAllPictures();

 private:
  QPushButton* AddButton(const char* text, const char* name, void (CPictureListPanel::*handler)());
  // The chooser, proposed the picture last chosen; empty when nothing was chosen.
  std::string Choose();

  CMyListCtrl* m_list;
  QLineEdit* m_fileText;  // the record's picture list, then the picture last chosen; kept out of sight
};
