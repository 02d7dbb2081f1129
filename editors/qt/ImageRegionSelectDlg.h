// The region-selection dialog: the pictures of one or more attribute menus;
// a click on a region checks its attribute, and so does its row in the
// list. In item mode it steps through items and asks its owner to store,
// step, mark all and clear all.
#pragma once

#include <QDialog>

#include "editors/ImageRegionSelectModel.h"
#include "editors/qt/RegionDialogSupport.h"

class CImageRegionCtrl;
class QComboBox;
class QPushButton;

class CImageRegionSelectDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CImageRegionSelectDlg(IRegionSelectOwner* owner = nullptr, QWidget* parent = nullptr);

  // The owner fills the menus, the navigation flag and the current item
  // before the run and reads the choices after it.
  ImageRegionSelectModel& Model() { return m_model; }
  void SetTitle(const std::string& title);
  // Fills the dialog from the model: the owner calls it once it filled the
  // model, before running the dialog.
  void OnInitDialog();
  // Shows the model's current menu again (the owner refilled it on an item step).
  void ShowCurrentMenu();
  CImageRegionCtrl& Control() { return *m_control; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadMenu(int menu, int row);
  void FillList();
  void OnMenuChosen(int menu);
  void StepMenu(bool forward);
  void OnRowChecked(int row, bool checked);
  void OnPictureClicked();
  void OnStepItem(bool forward);
  void OnMarkAll(bool mark);

  ImageRegionSelectModel m_model;
  CImageRegionCtrl* m_control = nullptr;
  QComboBox* m_menus = nullptr;
  RegionAttributeList* m_list = nullptr;
  RegionDialogAnchors m_anchors;
  bool m_filling = false;
};
