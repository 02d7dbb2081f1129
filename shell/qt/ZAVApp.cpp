#include "shell/qt/ZAVApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QWebEngineView>
#include <algorithm>

#include "database/CommandIds.h"
#include "database/HelpPages.h"
#include "database/ProgramFolders.h"
#include "database/ReadBeside.h"
#include "database/UtilityFunction.h"
#include "database/XmlDump.h"
#include "database/ZAVDoc.h"
#include "editors/qt/DlgDBDescription.h"
#include "editors/qt/DlgSelectLocation.h"
#include "platform/ErrorBox.h"
#include "platform/qt/DialogRunner.h"
#include "platform/qt/QtProfile.h"
#include "platform/qt/QtUi.h"
#include "reports/ReportOptions.h"
#include "reports/ReportPages.h"
#include "reports/qt/Idispimp.h"
#include "reports/qt/ZAVView.h"
#include "database/qt/QORMerge.h"
#include "shell/qt/AboutDlg.h"
#include "shell/qt/BrowserStartBesideRead.h"
#include "shell/qt/ChildFrame.h"
#include "shell/qt/DlgQOROpen.h"
#include "shell/qt/MainFrame.h"
#include "shell/qt/StreamHTMLDocTemplate.h"

// The built-in style sheet lives in the program's resources; a static
// library's resources must be registered by name.
static void InitProgramResources() { Q_INIT_RESOURCE(resources); }

namespace {

CZAVApp* g_app = nullptr;

const char* const kRecentSection = "Recent File List";

bool IsDatabasePath(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).suffix().compare("qor", Qt::CaseInsensitive) == 0;
}

std::string Canonical(const std::string& path) {
  return QDir::cleanPath(QFileInfo(QString::fromStdString(path)).absoluteFilePath()).toStdString();
}

// The snapshot of a large key's XML dump holds the user-interface thread a
// while, and the browser needs that thread to bring up the first page: the
// snapshot waits until that page has loaded, and is queued behind what the
// load finished, such as the page's painting. A document closed before then
// writes its dump as it ends.
void WriteXmlDumpAfterFirstPage(CChildFrame& frame) {
  QObject::connect(
      frame.HtmlView()->WebView(), &QWebEngineView::loadFinished, &frame,
      [&frame] { frame.GetDocument().WritePendingXmlDump(); },
      static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
}

}  // namespace

CZAVApp::CZAVApp() : CZAVApp(Setup{}) {}

CZAVApp::CZAVApp(Setup setup) : m_setup(setup), m_htmlTemplate(std::make_unique<CStreamHTMLDocTemplate>()) {
  g_app = this;
  InitProgramResources();
  InstallReportPageFactory();  // the document's commands and driver build their pages through it
}

CZAVApp::~CZAVApp() {
  delete m_mainFrame.data();
  WaitForXmlDump();  // the dump of the last open or save is complete before the program ends
  SaveReportOptions();
  SetHelpDisplay(nullptr);
  SetDocumentHost(nullptr);
  if (m_locationChooser) platform::SetLocationChooser(nullptr);
  if (m_ui) platform::SetUi(nullptr);
  if (m_profileInstalled) platform::SetUserProfile(nullptr);
  if (g_app == this) g_app = nullptr;
}

CZAVApp* CZAVApp::Instance() { return g_app; }

CMainFrame* CZAVApp::MainFrame() const { return m_mainFrame.data(); }

bool CZAVApp::InitInstance(const QStringList& arguments) {
  SetProgramFile(QCoreApplication::applicationFilePath().toStdString());
  CImpIDispatch::Application();  // the pages' external object lives as long as the program
  if (m_setup.installQtUi) {
    m_ui = std::make_unique<platform::qt::QtUi>();
    platform::SetUi(m_ui.get());
  }
  if (!m_setup.profile) {
    m_ownProfile = std::make_unique<platform::qt::QtProfile>();
    m_setup.profile = m_ownProfile.get();
  }
  platform::SetUserProfile(m_setup.profile);
  m_profileInstalled = true;
  LoadRecentFiles();
  LoadReportOptions();
  m_showMaximized = platform::UserProfile().GetInt("Main window", "Expanded", 0) != 0;
  SetHelpDisplay(this);
  SetDocumentHost(this);

  m_mainFrame = new CMainFrame(*this);
  m_htmlTemplate->SetMdiArea(m_mainFrame->MdiArea());
  if (m_ui) {
    m_ui->SetOwner(m_mainFrame);
    m_locationChooser = std::make_unique<CDialogLocationChooser>(m_mainFrame);
    platform::SetLocationChooser(m_locationChooser.get());
  }

  const QString path = arguments.value(0);  // the command line is parsed by then
  if (path.isEmpty()) {
    bool cancelled = false;
    const bool createNew = RunOpenDialog(true, &cancelled);
    if (cancelled || (createNew && !NewDocument())) return false;
  } else {
    BrowserStartBesideRead browserStart(m_mainFrame);  // the browser starts while the key's file is read
    if (!OpenDocumentFile(path.toStdString(), browserStart)) return false;
  }
  if (m_showMaximized)
    m_mainFrame->showMaximized();
  else
    m_mainFrame->show();
  m_mainFrame->UpdateCommandStates();
  return true;
}

bool CZAVApp::RunOpenDialog(bool createNew, bool* cancelled) {
  CDlgQOROpen dialog([this](const std::string& path) { return OpenDocumentFile(path) != nullptr; }, m_mainFrame);
  dialog.m_createNew = createNew;
  dialog.OnInitDialog();
  const int result = platform::qt::RunModal(dialog);
  if (cancelled) *cancelled = result != QDialog::Accepted;
  return result == QDialog::Accepted && dialog.m_createNew;
}

CChildFrame* CZAVApp::FindOpenFrame(const std::string& path) const {
  if (!m_mainFrame) return nullptr;
  for (CChildFrame* frame : m_mainFrame->Children())
    if (!frame->GetDocument().m_pathName.empty() && Canonical(frame->GetDocument().m_pathName) == path) return frame;
  return nullptr;
}

// Opened and new databases start alike (the document installs its report
// driver itself): a copy of the shared item-list options.
static std::unique_ptr<CZAVDoc> MakeDocument() {
  auto document = std::make_unique<CZAVDoc>();
  document->m_itemListOptions = ItemListOptions::Shared().DocumentCopy();
  document->m_orderChoice = document->m_itemListOptions[kListItemOrder];
  return document;
}

CChildFrame* CZAVApp::OpenDocumentFile(const std::string& path) {
  NothingBesideRead nothing;
  return OpenDocumentFile(path, nothing);
}

CChildFrame* CZAVApp::OpenDocumentFile(const std::string& path, ReadBeside& beside) {
  const std::string full = Canonical(path);
  if (CChildFrame* open = FindOpenFrame(full)) {
    m_mainFrame->MdiArea()->setActiveSubWindow(open);
    return open;
  }
  std::unique_ptr<CZAVDoc> document = MakeDocument();
  // The XML dump's snapshot waits until the first page has loaded.
  document->DeferXmlDumpOfLoad();
  if (!document->OnOpenDocument(full, beside)) return nullptr;
  AddToRecentFileList(full);
  CChildFrame* frame = AddFrame(std::move(document));
  WriteXmlDumpAfterFirstPage(*frame);
  return frame;
}

void CZAVApp::OpenRecentFile(const std::string& path) {
  if (OpenDocumentFile(path)) return;
  m_recentFiles.erase(std::remove(m_recentFiles.begin(), m_recentFiles.end(), path), m_recentFiles.end());
  SaveRecentFiles();
}

CChildFrame* CZAVApp::NewDocument() {
  std::unique_ptr<CZAVDoc> document = MakeDocument();
  if (!document->OnNewDocument()) return nullptr;
  return AddFrame(std::move(document));
}

CChildFrame* CZAVApp::AddFrame(std::unique_ptr<CZAVDoc> document) {
  auto* frame = new CChildFrame(std::move(document));
  m_mainFrame->AddChild(frame);
  frame->ActivateFrame();
  m_mainFrame->MdiArea()->setActiveSubWindow(frame);  // the main frame's activation handler makes it the active frame
  frame->InitialUpdate();
  m_mainFrame->UpdateCommandStates();
  return frame;
}

void CZAVApp::SetActiveFrame(CChildFrame* frame) {
  if (frame)
    SetActiveDocument(&frame->GetDocument());
  else
    ClearActiveFrame();
}

bool CZAVApp::EditDescription(CZAVDoc& document) { return editors::qt::RunDescriptionEditor(document, m_mainFrame); }

void CZAVApp::LoadRecentFiles() {
  m_recentFiles.clear();
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const std::string path = platform::UserProfile().GetString(kRecentSection, "File" + std::to_string(i), {});
    if (!path.empty()) m_recentFiles.push_back(path);
  }
}

void CZAVApp::SaveRecentFiles() {
  for (int i = 0; i < kRecentFileCount; ++i) {
    const std::string path = i < static_cast<int>(m_recentFiles.size()) ? m_recentFiles[i] : std::string();
    platform::UserProfile().WriteString(kRecentSection, "File" + std::to_string(i + 1), path);
  }
  if (m_mainFrame) m_mainFrame->RefreshRecentFiles();
}

void CZAVApp::AddToRecentFileList(const std::string& path) {
  // Help pages and pictures open in windows too, but only databases are listed.
  if (!IsDatabasePath(path)) return;
  const std::string full = Canonical(path);
  m_recentFiles.erase(std::remove(m_recentFiles.begin(), m_recentFiles.end(), full), m_recentFiles.end());
  m_recentFiles.insert(m_recentFiles.begin(), full);
  if (m_recentFiles.size() > kRecentFileCount) m_recentFiles.resize(kRecentFileCount);
  SaveRecentFiles();
}

bool CZAVApp::HasCommand(int command) const {
  switch (command) {
    case cmd::kFileNew:
    case cmd::kFileOpen:
    case cmd::kOpenQorDatabase:
    case cmd::kAppAbout:
    case cmd::kHelpTopics:
    case cmd::kHelpKey:
    case cmd::kAppExit:
    case cmd::kMerge:
      return true;
    default:
      return false;
  }
}

void CZAVApp::OnFileOpen() {
  const auto path = platform::Ui().AskOpenFileName(
      "Open", {{"QOR Databases (*.qor)", "*.qor"}, {"All Files (*.*)", "*.*"}}, g_lastFolder);
  if (path) OpenDocumentFile(*path);
}

void CZAVApp::OnCommand(int command) {
  switch (command) {
    case cmd::kFileNew:
      NewDocument();
      break;
    case cmd::kFileOpen:
      OnFileOpen();
      break;
    case cmd::kOpenQorDatabase:
      RunOpenDialog(false);
      break;
    case cmd::kAppAbout: {
      CAboutDlg about(m_mainFrame);
      platform::qt::RunModal(about);
      break;
    }
    case cmd::kMerge:
      OnMerge();
      break;
    // One help window for every press of F1.
    case cmd::kHelpTopics:
    case cmd::kHelpKey:
      ShowHelp("help.htm", false);
      break;
    case cmd::kAppExit:
      if (m_mainFrame) m_mainFrame->close();
      break;
    default:
      break;
  }
}

// The merged database opens at once, so the user sees what the merge made.
// A window that holds the output would show the file's old content, and a
// later save would write it over the merge: that window is closed and the
// output opened anew, after asking when the window has unsaved changes.
void CZAVApp::OnMerge() {
  CQORMerge dialog(m_mainFrame);
  dialog.SetOutputCheck([this](const std::string& output) {
    CChildFrame* open = FindOpenFrame(Canonical(output));
    if (!open || !open->GetDocument().IsModified()) return true;
    return platform::Ui().AskYesNo(output +
                                       " is open and has changes that are not saved. The merge writes over this "
                                       "file and opens it again, and those changes are lost. Merge anyway?",
                                   false);
  });
  if (platform::qt::RunModal(dialog) != QDialog::Accepted) return;
  if (CChildFrame* stale = FindOpenFrame(Canonical(dialog.OutputPath()))) {
    stale->GetDocument().SetModifiedFlag(false);
    stale->close();
    m_mainFrame->MdiArea()->removeSubWindow(stale);
  }
  OpenDocumentFile(dialog.OutputPath());
}

void CZAVApp::ShowHelpDialog(const std::string& address) {
  CStreamHTMLDocTemplate::RunHelpDialog(address, m_mainFrame);
}

void CZAVApp::OpenHelpWindow(const std::string& address) { m_htmlTemplate->OpenDocumentFile(address); }

void CZAVApp::OpenHtmlWindow(const std::string& html) { m_htmlTemplate->OpenDocumentFile(html); }
