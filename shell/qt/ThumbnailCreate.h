// The thumbnail dialog: the user picks a folder in the folder tree, sees the
// pictures it can convert, and "Convert" writes their thumbnails into the
// folder's "Thumbnails" folder while the progress bar follows the run.
#pragma once

#include <QDialog>
#include <string>

class CDirTreeCtrl;
class QListWidget;
class QProgressBar;
class QPushButton;

class CThumbnailCreate : public QDialog {
  Q_OBJECT
 public:
  // The tree opens at the folder chosen last in this run, else at startFolder.
  explicit CThumbnailCreate(QWidget* parent = nullptr, const std::string& startFolder = {});

  // The folder chosen last in this run of the program ("" before any).
  static const std::string& SelectedFolder();

  void reject() override;

 private:
  void OnSelectionChanged();
  void OnConvert();
  void ShowFolder(const std::string& folder);

  CDirTreeCtrl* m_tree;
  QListWidget* m_supported;
  QListWidget* m_failed;
  QProgressBar* m_progress;
  QPushButton* m_convert;
  QPushButton* m_exit;
  bool m_running = false;
};
