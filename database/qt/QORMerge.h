// The merge dialog: a first and a second database, and the output that
// follows from the first; "Merge" writes the output and ends the dialog.
#pragma once

#include <QDialog>
#include <functional>
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
  // Asked before the output is written; false leaves the dialog open and
  // writes nothing (the program asks about a window that holds the output).
  void SetOutputCheck(std::function<bool(const std::string&)> check) { m_outputCheck = std::move(check); }

 private:
  // 0 first, 1 second database; empty when the user chose none.
  static std::string PickDatabaseFile(int which);
  void SetDefaultOutput(const std::string& path);

  std::string m_firstPath;
  std::string m_secondPath;
  std::string m_outputPath;
  std::function<bool(const std::string&)> m_outputCheck;
  QLineEdit* m_first;
  QLineEdit* m_second;
  QLineEdit* m_output;
};
