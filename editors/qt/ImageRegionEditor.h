// The region editor: the author draws polygons and rectangles on a menu's
// picture and binds each to an attribute by checking its row; OK writes
// the regions beside the picture.
#pragma once

#include <QDialog>

#include "editors/ImageRegionEditorModel.h"
#include "editors/qt/RegionDialogSupport.h"

class CImageRegionCtrl;

class CImageRegionEditor : public QDialog {
  Q_OBJECT
 public:
  explicit CImageRegionEditor(QWidget* parent = nullptr);

  // The caller fills the attribute names, the picture path and the menu
  // title, then calls OnInitDialog and runs the dialog.
  ImageRegionEditorModel& Model() { return m_model; }
  void OnInitDialog();
  CImageRegionCtrl& Control() { return *m_control; }

  void accept() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnRowChecked(int row, bool checked);

  ImageRegionEditorModel m_model;
  CImageRegionCtrl* m_control = nullptr;
  RegionAttributeList* m_list = nullptr;
  RegionDialogAnchors m_anchors;
};
