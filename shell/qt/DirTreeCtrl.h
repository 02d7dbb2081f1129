// A folder tree of the computer in which database files appear under the
// titles read from their headers: blue when editable, red when locked or
// unreadable. Folders are read when first expanded. Every node keeps its
// full path, so a path never has to be rebuilt from the labels.
#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <string>
#include <vector>

class CDirTreeCtrl : public QTreeWidget {
  Q_OBJECT
 public:
  explicit CDirTreeCtrl(QWidget* parent = nullptr);

  // Builds the top level: "Drives" (the file-system roots) and the desktop.
  void DisplayTree(bool clear);
  // A folder's path ends with "/", a file's does not; empty for a placeholder.
  QString GetFullPath(QTreeWidgetItem* item) const;
  // Expands the folders of the path from its root and selects the last one.
  bool SetSelPath(const QString& folder);
  // Selects the folder, then the first database found in it or in one of
  // the folders above it.
  void SelectFirstDatabase(const QString& folder);
  virtual bool IsValidFile(const QString& fileName) const;

  // Descriptions and editable flags of the listed databases; element 0 is
  // "Empty" and 0, and a database node's data is its index here.
  const std::vector<std::string>& Descriptions() const { return m_descriptions; }
  const std::vector<int>& LockFlags() const { return m_lockFlags; }
  int DescriptionIndex(QTreeWidgetItem* item) const;

  QTreeWidgetItem* DrivesItem() const { return m_drives; }
  QTreeWidgetItem* DesktopItem() const { return m_desktop; }
  // The roots shown under "Drives" and the desktop folder; tests may set them
  // before DisplayTree.
  void SetRoots(const QStringList& roots, const QString& desktop);
  QTreeWidgetItem* FindChild(QTreeWidgetItem* parent, const QString& name) const;

  // The text of a database node: the title, a backslash and the file name.
  static QString DatabaseText(const std::string& title, const QString& fileName);

 private:
  void OnItemExpanded(QTreeWidgetItem* item);
  void OnItemCollapsed(QTreeWidgetItem* item);
  void ExpandFolder(QTreeWidgetItem* item);
  void ExpandDrives();
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text, const QString& path, int role);
  void AddDatabase(QTreeWidgetItem* parent, const QString& folder, const QString& fileName);
  static void AddPlaceholder(QTreeWidgetItem* item);
  static void RemoveChildren(QTreeWidgetItem* item);

  std::vector<std::string> m_descriptions{"Empty"};
  std::vector<int> m_lockFlags{0};
  QStringList m_roots;
  QString m_desktopPath;
  QTreeWidgetItem* m_drives = nullptr;
  QTreeWidgetItem* m_desktop = nullptr;
};
