#include "shell/qt/ThumbnailCreate.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "reports/ThumbnailRun.h"
#include "shell/qt/DirTreeCtrl.h"

namespace {

std::string g_selectedFolder;

QListWidget* NamedList(QWidget* parent, const char* objectName) {
  auto* list = new QListWidget(parent);
  list->setObjectName(objectName);
  return list;
}

std::vector<std::string> Rows(const QListWidget& list) {
  std::vector<std::string> rows;
  for (int row = 0; row < list.count(); ++row) rows.push_back(list.item(row)->text().toStdString());
  return rows;
}

}  // namespace

const std::string& CThumbnailCreate::SelectedFolder() { return g_selectedFolder; }

CThumbnailCreate::CThumbnailCreate(QWidget* parent, const std::string& startFolder)
    : QDialog(parent),
      m_tree(new CDirTreeCtrl(this)),
      m_supported(NamedList(this, "supportedFiles")),
      m_failed(NamedList(this, "nonConvertibleFiles")),
      m_progress(new QProgressBar(this)),
      m_convert(new QPushButton("Convert", this)),
      m_exit(new QPushButton("Exit", this)) {
  setObjectName("thumbnailDialog");
  setWindowTitle("Convert images to their thumbnail representation");
  resize(700, 480);
  m_tree->setObjectName("folderTree");
  m_progress->setObjectName("progress");
  m_progress->setValue(0);
  m_convert->setObjectName("convertButton");
  m_exit->setObjectName("exitButton");
  auto* grid = new QGridLayout(this);
  grid->addWidget(m_tree, 0, 0, 4, 1);
  grid->addWidget(new QLabel("List of supported files", this), 0, 1);
  grid->addWidget(m_supported, 1, 1);
  grid->addWidget(new QLabel("Non-convertible files", this), 2, 1);
  grid->addWidget(m_failed, 3, 1);
  grid->addWidget(m_progress, 4, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_convert);
  buttons->addWidget(m_exit);
  grid->addLayout(buttons, 5, 0, 1, 2);
  connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CThumbnailCreate::OnSelectionChanged);
  connect(m_convert, &QPushButton::clicked, this, &CThumbnailCreate::OnConvert);
  connect(m_exit, &QPushButton::clicked, this, &CThumbnailCreate::reject);
  m_tree->DisplayTree(true);
  const std::string& start = g_selectedFolder.empty() ? startFolder : g_selectedFolder;
  if (!start.empty()) m_tree->SetSelPath(QString::fromStdString(start));
}

void CThumbnailCreate::reject() {
  // The run's results and log are only whole when it ends by itself.
  if (!m_running) QDialog::reject();
}

void CThumbnailCreate::OnSelectionChanged() {
  const QString path = m_tree->GetFullPath(m_tree->currentItem());
  // A database node's path names a file, and a file has no pictures to list.
  ShowFolder(path.endsWith('/') ? path.toStdString() : std::string());
}

void CThumbnailCreate::ShowFolder(const std::string& folder) {
  m_supported->clear();
  m_failed->clear();
  g_selectedFolder = folder;
  if (folder.empty()) return;
  for (const std::string& name : ListSupportedPictures(folder)) m_supported->addItem(QString::fromStdString(name));
}

void CThumbnailCreate::OnConvert() {
  if (m_running) return;
  m_failed->clear();
  const std::vector<std::string> files = Rows(*m_supported);
  m_progress->setRange(0, std::max<int>(1, static_cast<int>(files.size())));
  m_running = true;
  m_convert->setEnabled(false);
  m_exit->setEnabled(false);
  // The pictures are converted by workers; between files the window is kept
  // painted so the user can follow the bar.
  const std::vector<std::string> failed = CreateThumbnails(g_selectedFolder, files, [this](int handled) {
    m_progress->setValue(handled);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  for (const std::string& name : failed) m_failed->addItem(QString::fromStdString(name));
  m_progress->setValue(0);
  m_running = false;
  m_convert->setEnabled(true);
  m_exit->setEnabled(true);
}
