// Pieces both region dialogs share: the checked attribute list and fitting
// the dialog to its picture.
#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "editors/CAnchorLayout.h"

class QDialog;
class QPushButton;
class CImageRegionCtrl;

// A button placed at a fixed spot that Enter does not press unless it is the default.
QPushButton* AddDialogButton(QWidget* parent, const char* text, const char* name, const QRect& where);

class RegionDialogAnchors;

// OK (the default) and Cancel at the dialog's top right, where they stay
// when the dialog is resized; the picture control stretches both ways.
void AddOkCancelBeside(QDialog& dialog, CImageRegionCtrl& control, RegionDialogAnchors& anchors);

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

// The anchor layout of a region dialog: its controls follow the edges they
// are anchored to whenever the dialog's size changes.
class RegionDialogAnchors {
 public:
  void Add(QWidget* control, unsigned flags) { m_controls.push_back({control, flags}); }
  // Takes the dialog's client area and the controls' places as they stand now.
  void Attach(const QWidget& dialog);
  // Called on every resize of the dialog; nothing before Attach.
  void Relayout(const QWidget& dialog);

 private:
  struct Entry {
    QWidget* control;
    unsigned flags;
  };
  std::vector<Entry> m_controls;
  CAnchorLayout m_layout;
  bool m_attached = false;
};

// Shows the picture at its visible size: the dialog grows or shrinks by the
// difference, and moves to the screen's centre when it no longer fits (or
// has not been shown yet). The dialog's anchors stretch the control with it.
void FitDialogToControl(QDialog& dialog, CImageRegionCtrl& control);
