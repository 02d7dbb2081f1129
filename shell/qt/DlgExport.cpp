#include "shell/qt/DlgExport.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/HelpPages.h"
#include "database/OutputFile.h"
#include "database/ZAVDoc.h"
#include "editors/ExportDatabasePath.h"
#include "editors/ExportFileFilter.h"
#include "editors/ExportRun.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "shell/qt/ProgDlg.h"

namespace {

// A failing call before the stream: its text shown, the exporter released.
bool Failed(const ExportCallResult& result) {
  if (result.ok) return false;
  platform::Ui().ShowMessage(result.error, {}, platform::MessageIcon::Error);
  return true;
}

// The file dialog starts in the database's folder rather than the current one.
std::string ProposedExportFile(const std::string& databasePath, const std::string& defaultName) {
  const std::string folder = ExportDatabasePath::Split(databasePath).folder;
  if (defaultName.empty() || folder.empty() || folder.back() != '/' || defaultName.front() == '/') return defaultName;
  return folder + defaultName;
}

}  // namespace

CDlgExport::CDlgExport(CZAVDoc& document, ExportSelection selection, QWidget* parent)
    : QDialog(parent), m_document(document), m_selection(selection), m_list(new QListWidget(this)) {
  setObjectName("exportDialog");
  setWindowTitle("Available drivers");
  m_list->setObjectName("exporterList");
  auto* buttons = new QDialogButtonBox(this);
  m_export = buttons->addButton("Export", QDialogButtonBox::AcceptRole);
  m_export->setObjectName("exportButton");
  m_export->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("cancelButton");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CDlgExport::OnOK);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_export->setEnabled(row >= 0); });
  connect(m_list, &QListWidget::itemDoubleClicked, this, &CDlgExport::OnOK);
}

void CDlgExport::OnInitDialog() {
  m_exporters = FindExporters();
  m_list->clear();
  for (const ExporterEntry& entry : m_exporters) m_list->addItem(entry.displayName);
  if (m_list->count() > 0) m_list->setCurrentRow(0);
  m_export->setEnabled(m_list->count() > 0);
}

void CDlgExport::OnOK() {
  bool done = false;
  RunCommand([&] { done = Export(); });
  if (done) accept();
}

bool CDlgExport::Export() {
  const int row = m_list->currentRow();
  if (row < 0 || row >= static_cast<int>(m_exporters.size())) ThrowErrorMessage("Select driver from the list.");
  platform::WaitCursor wait;
  // Released on every way out: no EndExport after a cancel or a failure.
  std::unique_ptr<QORExporter> exporter = CreateExporter(m_exporters[row]);
  // In-process exporters get the main window itself for their own dialogs.
  const auto window = reinterpret_cast<std::intptr_t>(parentWidget() ? parentWidget()->window() : this);
  if (const ExportRunResult introduced = IntroduceDatabase(*exporter, window, m_document.m_pathName);
      !introduced.message.empty() || introduced.status != ExportTreeResult::Status::Completed) {
    platform::Ui().ShowMessage(introduced.message, {}, platform::MessageIcon::Error);
    return true;
  }
  bool wantsFile = false;
  if (Failed(exporter->GetWantsFile(wantsFile))) return true;
  if (wantsFile) {
    std::string filter, defaultName;
    if (Failed(exporter->GetFileFilter(filter)) || Failed(exporter->GetDefaultFileName(defaultName))) return true;
    const auto path = platform::Ui().AskOutputFileName("Export to file:", ParseExportFileFilter(filter),
                                                       ProposedExportFile(m_document.m_pathName, defaultName));
    if (!path || path->empty()) return false;
    // The name proposed lies in the key's folder: a link or a pipe there is
    // refused before the replace question, which defaults to No.
    if (!ConfirmOutputFile(*path, "Nothing was exported.")) return false;
    if (Failed(exporter->SetFilePath(*path))) return true;
  }
  CProgressDlg progress;
  progress.setObjectName("exportProgress");
  progress.SetTotalSteps(CountExportSteps(m_document));
  progress.Create(this);
  const ExportRunResult streamed = StreamDatabase(m_document, *exporter, m_selection, [&](int, int) {
    progress.CheckCancelButton();  // abandons the export after Stop
    return true;
  });
  if (!streamed.message.empty()) platform::Ui().ShowMessage(streamed.message, {}, platform::MessageIcon::Error);
  return EndsExportDialog(streamed);
}

void CDlgExport::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    ShowHelp("help.htm#ExportDialog", true);
    return;
  }
  QDialog::keyPressEvent(event);
}
