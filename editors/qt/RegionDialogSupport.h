// Pieces both region dialogs share: the checked attribute list and fitting
// the dialog to its picture.
#pragma once

#include <QListWidget>
#include <string>

class QDialog;
class QPushButton;
class CImageRegionCtrl;

// A button placed at a fixed spot that Enter does not press unless it is the default.
QPushButton* AddDialogButton(QWidget* parent, const char* text, const char* name, const QRect& where);

// A list of attribute names with check boxes, one row each.
class RegionAttributeList : public QListWidget {
  Q_OBJECT
 public:
  explicit RegionAttributeList(QWidget* parent = nullptr);
  // Adds a row without announcing a check change.
  void AddRow(const std::string& name, bool checked);
  bool IsChecked(int row) const;
  // Sets the check box as the program does, without a change signal.
  void SetCheckedQuietly(int row, bool checked);

 signals:
  // The user (or a program acting for the user) changed a row's check box.
  void rowCheckChanged(int row, bool checked);

 private:
  bool m_quiet = false;
};

// Shows the picture at its visible size: the dialog grows or shrinks by the
// difference, and moves to the screen's centre when it no longer fits. A
// dialog whose layout stretches the control with it passes sizeControl false.
void FitDialogToControl(QDialog& dialog, CImageRegionCtrl& control, bool sizeControl);
