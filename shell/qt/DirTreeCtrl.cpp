#include "shell/qt/DirTreeCtrl.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>

#include "database/DatabaseHeader.h"
#include "shell/qt/DrawnIcons.h"

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

// Folders and databases stand together in alphabetical order, letter case aside.
class SortedItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    return text(0).compare(other.text(0), Qt::CaseInsensitive) < 0;
  }
};

QString LastComponent(const QString& path) {
  QString trimmed = path;
  while (trimmed.size() > 1 && trimmed.endsWith('/')) trimmed.chop(1);
  return trimmed.mid(trimmed.lastIndexOf('/') + 1);
}

QString WithSlash(QString folder) { return folder.endsWith('/') ? folder : folder + '/'; }

}  // namespace

CDirTreeCtrl::CDirTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("folderTree");
  setHeaderHidden(true);
  setColumnCount(1);
  // A database's title and file name can be long: the column grows with its
  // widest entry and the tree scrolls sideways instead of cutting it.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setRootIsDecorated(true);
  setSortingEnabled(true);
  sortByColumn(0, Qt::AscendingOrder);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  colours.setColor(QPalette::Highlight, QColor(0, 128, 255));
  colours.setColor(QPalette::HighlightedText, Qt::white);
  setPalette(colours);
  for (const QFileInfo& drive : QDir::drives()) m_roots << drive.absoluteFilePath();
  m_desktopPath = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  connect(this, &QTreeWidget::itemExpanded, this, &CDirTreeCtrl::OnItemExpanded);
  connect(this, &QTreeWidget::itemCollapsed, this, &CDirTreeCtrl::OnItemCollapsed);
}

void CDirTreeCtrl::SetRoots(const QStringList& roots, const QString& desktop) {
  m_roots = roots;
  m_desktopPath = desktop;
}

void CDirTreeCtrl::DisplayTree(bool clear) {
  if (clear) this->clear();
  m_drives = AddNode(nullptr, "Drives", {}, TreeIcons::kDrives);
  m_desktop = AddNode(nullptr, m_desktopPath, WithSlash(m_desktopPath), TreeIcons::kDesktop);
  AddPlaceholder(m_drives);
  AddPlaceholder(m_desktop);
}

QTreeWidgetItem* CDirTreeCtrl::AddNode(QTreeWidgetItem* parent, const QString& text, const QString& path, int role) {
  auto* item = parent ? new SortedItem(parent) : new SortedItem(this);
  item->setText(0, text);
  item->setData(0, kPathRole, path);
  item->setData(0, kIndexRole, 0);
  item->setIcon(0, TreeIcons::Icon(role));
  return item;
}

void CDirTreeCtrl::AddPlaceholder(QTreeWidgetItem* item) { item->addChild(new SortedItem()); }

void CDirTreeCtrl::RemoveChildren(QTreeWidgetItem* item) { qDeleteAll(item->takeChildren()); }

void CDirTreeCtrl::OnItemCollapsed(QTreeWidgetItem* item) {
  RemoveChildren(item);
  AddPlaceholder(item);
}

void CDirTreeCtrl::OnItemExpanded(QTreeWidgetItem* item) {
  if (item == m_drives)
    ExpandDrives();
  else
    ExpandFolder(item);
}

void CDirTreeCtrl::ExpandDrives() {
  RemoveChildren(m_drives);
  for (const QString& root : m_roots) AddPlaceholder(AddNode(m_drives, root, WithSlash(root), TreeIcons::kDrive));
}

void CDirTreeCtrl::ExpandFolder(QTreeWidgetItem* item) {
  const QString folder = GetFullPath(item);
  RemoveChildren(item);
  if (folder.isEmpty()) return;
  QDir dir(folder);
  for (const QFileInfo& entry : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
    AddPlaceholder(AddNode(item, entry.fileName(), WithSlash(entry.absoluteFilePath()), TreeIcons::kFolder));
  for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden))
    if (IsValidFile(entry.fileName())) AddDatabase(item, folder, entry.fileName());
  // An empty folder shows no rows and, once opened, no expand button: a
  // blank row would look like an entry without a name.
}

void CDirTreeCtrl::AddDatabase(QTreeWidgetItem* parent, const QString& folder, const QString& fileName) {
  const QString path = folder + fileName;
  CQDochdr header;
  std::string title = "error";
  std::string description = "Error reading file: ";
  int editable = 0;
  if (ReadDatabaseHeaderFile(path.toStdString(), header) == HeaderReadResult::Ok) {
    title = header.title;
    description = header.description;
    editable = IsHeaderEditable(header) ? 1 : 0;
  }
  QTreeWidgetItem* item = AddNode(parent, DatabaseText(title, fileName), path, TreeIcons::kDatabase);
  item->setToolTip(0, item->text(0));
  m_descriptions.push_back(description);
  m_lockFlags.push_back(editable);
  item->setData(0, kIndexRole, static_cast<int>(m_descriptions.size() - 1));
  item->setForeground(0, editable ? QColor(0, 0, 255) : QColor(255, 0, 0));
}

QString CDirTreeCtrl::DatabaseText(const std::string& title, const QString& fileName) {
  return QString::fromStdString(title) + '\\' + fileName;
}

bool CDirTreeCtrl::IsValidFile(const QString& fileName) const {
  return fileName.right(4).compare(".qor", Qt::CaseInsensitive) == 0;
}

QString CDirTreeCtrl::GetFullPath(QTreeWidgetItem* item) const {
  if (!item || item->text(0).isEmpty()) return {};
  return item->data(0, kPathRole).toString();
}

int CDirTreeCtrl::DescriptionIndex(QTreeWidgetItem* item) const { return item ? item->data(0, kIndexRole).toInt() : 0; }

QTreeWidgetItem* CDirTreeCtrl::FindChild(QTreeWidgetItem* parent, const QString& name) const {
  QTreeWidgetItem* caseless = nullptr;
  for (int i = 0; i < parent->childCount(); ++i) {
    QTreeWidgetItem* child = parent->child(i);
    const QString path = child->data(0, kPathRole).toString();
    const QString own = parent == m_drives ? path : LastComponent(path);
    if (own == name) return child;
    if (!caseless && own.compare(name, Qt::CaseInsensitive) == 0) caseless = child;
  }
  return caseless;
}

bool CDirTreeCtrl::SetSelPath(const QString& folder) {
  const QString path = WithSlash(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
  m_drives->setExpanded(true);
  QString root;
  for (const QString& candidate : m_roots)
    if (path.startsWith(WithSlash(candidate)) && candidate.size() > root.size()) root = WithSlash(candidate);
  QTreeWidgetItem* current = root.isEmpty() ? nullptr : FindChild(m_drives, root);
  if (!current) return false;
  current->setExpanded(true);
  for (const QString& name : path.mid(root.size()).split('/', Qt::SkipEmptyParts)) {
    current = FindChild(current, name);
    if (!current) return false;
    current->setExpanded(true);
  }
  setCurrentItem(current);
  scrollToItem(current, QAbstractItemView::PositionAtTop);
  return true;
}

void CDirTreeCtrl::SelectFirstDatabase(const QString& folder) {
  if (!SetSelPath(folder)) return;
  for (QTreeWidgetItem* at = currentItem(); at; at = at->parent()) {
    for (int i = 0; i < at->childCount(); ++i) {
      QTreeWidgetItem* child = at->child(i);
      const QString text = child->text(0);
      if (text.mid(text.lastIndexOf('.') + 1).compare("qor", Qt::CaseInsensitive) != 0) continue;
      scrollToItem(at, QAbstractItemView::PositionAtTop);
      setCurrentItem(child);
      return;
    }
  }
}
