#include "shell/qt/DlgQOROpen.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <filesystem>
#include <vector>

#include "database/HelpPages.h"
#include "database/ProgramFolders.h"
#include "platform/ErrorBox.h"
#include "reports/qt/CustomControlSite.h"
#include "reports/qt/KeyFolderScheme.h"
#include "shell/qt/DirTreeCtrl.h"

std::string g_lastFolder;
std::string g_lastDatabasePath;

namespace {

namespace fs = std::filesystem;

bool IsDatabaseFile(const fs::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".qor";
}

// The first database in the folder itself; only when there is none, the
// subfolders are searched the same way, depth first. The walk is bounded:
// two folders up from a program in a system folder is the whole disk, and
// the dialog must open at once.
constexpr int kSearchDepth = 4;
constexpr int kSearchBudget = 20000;

fs::path FindDatabaseBelow(const fs::path& folder, int depth, int& budget) {
  std::error_code error;
  std::vector<fs::path> subfolders;
  for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end && budget > 0; it.increment(error), --budget) {
    if (it->is_directory(error)) {
      if (!it->is_symlink(error)) subfolders.push_back(it->path());
    } else if (it->is_regular_file(error) && IsDatabaseFile(it->path())) {
      return it->path();
    }
  }
  if (depth >= kSearchDepth) return {};
  for (const fs::path& subfolder : subfolders)
    if (fs::path found = FindDatabaseBelow(subfolder, depth + 1, budget); !found.empty()) return found;
  return {};
}

}  // namespace

fs::path CDlgQOROpen::FindDatabaseNear(fs::path folder, int levels) {
  for (int level = 0; level <= levels && !folder.empty(); ++level) {
    int budget = kSearchBudget;
    if (fs::path found = FindDatabaseBelow(folder, 0, budget); !found.empty()) return found;
    if (folder == folder.parent_path()) break;
    folder = folder.parent_path();
  }
  return {};
}

namespace {

QString ProgramFolderText() { return QString::fromStdString(ProgramFolder().string()); }

}  // namespace

CDlgQOROpen::CDlgQOROpen(Opener opener, QWidget* parent) : QDialog(parent), m_opener(std::move(opener)) {
  setObjectName("openDialog");
  setWindowTitle("QOR Database Selection Dialog");
  resize(650, 510);
  m_tree = new CDirTreeCtrl(this);
  m_create = new QPushButton("Create new", this);
  m_create->setObjectName("createNew");
  m_open = new QPushButton("Open QOR database", this);
  m_open->setObjectName("openDatabase");
  m_open->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cancel");
  m_description = new QPlainTextEdit(this);
  m_description->setObjectName("description");
  m_description->setReadOnly(true);
  m_description->hide();
  m_previewHost = new QWidget(this);
  m_previewHost->setLayout(new QVBoxLayout);
  m_previewHost->layout()->setContentsMargins(0, 0, 0, 0);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_create);
  buttons->addStretch();
  buttons->addWidget(m_open);
  buttons->addWidget(cancel);
  auto* left = new QVBoxLayout;
  left->addWidget(m_tree);
  left->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(m_previewHost, 1);

  connect(m_open, &QPushButton::clicked, this, [this] { RunCommand([this] { OnOK(); }); });
  connect(m_create, &QPushButton::clicked, this, [this] { OnCreateNew(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CDlgQOROpen::OnSelectionChanged);
  connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &CDlgQOROpen::OnDoubleClick);
}

void CDlgQOROpen::showEvent(QShowEvent* event) {
  if (!m_started) OnInitDialog();
  QDialog::showEvent(event);
}

void CDlgQOROpen::OnInitDialog() {
  m_started = true;
  m_tree->DisplayTree(true);
  if (g_lastFolder.empty()) g_lastFolder = QDir::currentPath().toStdString();
  m_create->setVisible(m_createNew);
  m_createNew = false;
  const fs::path near = FindDatabaseNear(ProgramFolder(), 2);
  if (!near.empty())
    m_tree->SetSelPath(QString::fromStdString(near.parent_path().string()));
  else
    m_tree->SelectFirstDatabase(QString::fromStdString(g_lastFolder));
  m_tree->setFocus();
}

QString CDlgQOROpen::Description() const { return m_description->toPlainText(); }

void CDlgQOROpen::OnSelectionChanged() {
  QTreeWidgetItem* item = m_tree->currentItem();
  m_description->setPlainText({});
  const int index = m_tree->DescriptionIndex(item);
  if (index >= 0 && index < static_cast<int>(m_tree->Descriptions().size()))
    m_description->setPlainText(QString::fromStdString(m_tree->Descriptions()[index]));
  UpdatePreview(m_tree->GetFullPath(item));
}

void CDlgQOROpen::UpdatePreview(const QString& path) {
  const int dot = path.lastIndexOf('.');
  if (dot >= 0) m_previewPath = path.left(dot) + ".htm";
  if (!QFileInfo(m_previewPath).isFile()) m_previewPath = ProgramFolderText() + "/Opening Page/QOR.htm";
  if (QFileInfo(m_previewPath).isFile()) Navigate(m_previewPath);
}

void CDlgQOROpen::Navigate(const QString& file) {
  if (!m_previewEnabled) return;
  if (!m_preview) {
    // The preview shows a downloaded database's own page: hosted and guarded
    // like every other page of the program, from the key's own scheme, and
    // without the page's scripts (merely selecting a key runs nothing of it).
    m_preview = new CCustomControlSite(m_previewHost);
    m_preview->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    m_preview->setObjectName("preview");
    m_previewHost->layout()->addWidget(m_preview);
  }
  m_preview->load(key_folder::FileUrl(file));
}

void CDlgQOROpen::OnDoubleClick(QTreeWidgetItem* item) {
  const QString path = m_tree->GetFullPath(item);
  if (!path.isEmpty() && !path.endsWith('/')) RunCommand([this] { OnOK(); });
}

void CDlgQOROpen::OnOK() {
  const std::string path = m_tree->GetFullPath(m_tree->currentItem()).toStdString();
  // A folder (its path ends in "/") or no selection is no database to try.
  if (path.empty() || path.back() == '/' || !m_opener) ThrowErrorMessage("Please choose QOR database.");
  // A file that did not open was reported by the open itself, by its name;
  // the dialog stays for another choice.
  if (!m_opener(path)) return;
  accept();
  g_lastDatabasePath = path;
  if (auto slash = path.rfind('/'); slash != std::string::npos) g_lastFolder = path.substr(0, slash);
}

void CDlgQOROpen::OnCreateNew() {
  m_createNew = true;
  accept();
}

void CDlgQOROpen::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    ShowHelp("help.htm#HelpDialog", true);
    return;
  }
  QDialog::keyPressEvent(event);
}
