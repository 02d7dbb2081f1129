// The open-database dialog: a folder tree listing databases by title, a
// preview of the selected database's page, and at start-up "Create new".
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>

class CDirTreeCtrl;
class QPlainTextEdit;
class QPushButton;
class QWebEngineView;
class QTreeWidgetItem;

// The folder and the path of the database last opened through the dialog.
extern std::string g_lastFolder;
extern std::string g_lastDatabasePath;

class CDlgQOROpen : public QDialog {
  Q_OBJECT
 public:
  // opener opens the database at a path and says whether it did.
  using Opener = std::function<bool(const std::string& path)>;
  CDlgQOROpen(Opener opener, QWidget* parent = nullptr);

  // Set before the dialog starts to offer "Create new"; read after it ends.
  bool m_createNew = false;

  // Builds the tree and selects the starting folder (the dialog's start).
  void OnInitDialog();
  // Opens the selected database and ends the dialog; a folder or no
  // selection asks for a database, and a file that does not open leaves the
  // dialog as it is (the open said why).
  void OnOK();
  void OnCreateNew();

  CDirTreeCtrl* Tree() const { return m_tree; }
  QPushButton* CreateButton() const { return m_create; }
  const QString& PreviewPath() const { return m_previewPath; }
  QString Description() const;
  // A database near the program: in its folder or below, then in each of up
  // to `levels` folders above it; empty when none.
  static std::filesystem::path FindDatabaseNear(std::filesystem::path folder, int levels);

  // The preview is made on first use so a test can run without a browser.
  void SetPreviewEnabled(bool enabled) { m_previewEnabled = enabled; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnSelectionChanged();
  void OnDoubleClick(QTreeWidgetItem* item);
  void UpdatePreview(const QString& path);
  void Navigate(const QString& file);

  Opener m_opener;
  CDirTreeCtrl* m_tree;
  QPushButton* m_create;
  QPushButton* m_open;
  QPlainTextEdit* m_description;
  QWebEngineView* m_preview = nullptr;
  QWidget* m_previewHost;
  QString m_previewPath;
  bool m_started = false;
  bool m_previewEnabled = true;
};
