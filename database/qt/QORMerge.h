// The merge dialog: a first and a second database, and the output that
// follows from the first; "Merge" writes the output and ends the dialog.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

class CQORMerge : public QDialog {
  Q_OBJECT
 public:
  explicit CQORMerge(QWidget* parent = nullptr);

  void OnBrowseFirst();
  void OnBrowseSecond();
  // Runs the merge; the dialog stays open when it was refused.
  void OnMerge();

  const std::string& OutputPath() const { return m_outputPath; }

 private:
  // 0 first, 1 second database; empty when the user chose none.
  static std::string PickDatabaseFile(int which);
  void SetDefaultOutput(const std::string& path);

  std::string m_firstPath;
  std::string m_secondPath;
  std::string m_outputPath;
  QLineEdit* m_first;
  QLineEdit* m_second;
  QLineEdit* m_output;
};
