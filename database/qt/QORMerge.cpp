#include "database/qt/QORMerge.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "database/DatabaseMergeRun.h"
#include "database/MergeTexts.h"
#include "platform/Ui.h"

namespace {

QLineEdit* PathField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setReadOnly(true);  // chosen through the file dialog only
  // Nothing can be typed there, so Tab passes it by; a click still reaches
  // it to select and copy the path.
  field->setFocusPolicy(Qt::ClickFocus);
  field->setMinimumWidth(420);
  return field;
}

QPushButton* BrowseButton(QWidget* parent, const char* name) {
  auto* button = new QPushButton("...", parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CQORMerge::CQORMerge(QWidget* parent)
    : QDialog(parent),
      m_first(PathField(this, "firstDatabase")),
      m_second(PathField(this, "secondDatabase")),
      m_output(PathField(this, "outputDatabase")) {
  setObjectName("mergeDialog");
  setWindowTitle("QORMerge");
  auto* grid = new QGridLayout(this);
  QPushButton* browseFirst = BrowseButton(this, "browseFirst");
  QPushButton* browseSecond = BrowseButton(this, "browseSecond");
  grid->addWidget(new QLabel("First database", this), 0, 0);
  grid->addWidget(m_first, 0, 1);
  grid->addWidget(browseFirst, 0, 2);
  grid->addWidget(new QLabel("Second database", this), 1, 0);
  grid->addWidget(m_second, 1, 1);
  grid->addWidget(browseSecond, 1, 2);
  grid->addWidget(new QLabel("Output database", this), 2, 0);
  grid->addWidget(m_output, 2, 1);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* merge = buttons->addButton("Merge", QDialogButtonBox::AcceptRole);
  merge->setObjectName("mergeButton");
  merge->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("cancelButton");
  grid->addWidget(buttons, 3, 0, 1, 3);
  connect(browseFirst, &QPushButton::clicked, this, &CQORMerge::OnBrowseFirst);
  connect(browseSecond, &QPushButton::clicked, this, &CQORMerge::OnBrowseSecond);
  connect(buttons, &QDialogButtonBox::accepted, this, &CQORMerge::OnMerge);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // The user fills the dialog from top to bottom: first database, second
  // database, then Merge.
  setTabOrder(browseFirst, browseSecond);
  setTabOrder(browseSecond, merge);
  browseFirst->setFocus(Qt::OtherFocusReason);
}

std::string CQORMerge::PickDatabaseFile(int which) {
  static const char* const prompts[] = {"Please choose first qor database", "Please choose second qor database"};
  const auto path =
      platform::Ui().AskOpenFileName(prompts[which], {{"All QOR Databases", "*.qor"}, {"All Files", "*"}});
  return path ? *path : std::string();
}

void CQORMerge::OnBrowseFirst() {
  m_firstPath = PickDatabaseFile(0);
  m_first->setText(QString::fromStdString(m_firstPath));
  SetDefaultOutput(m_firstPath);
}

void CQORMerge::OnBrowseSecond() {
  m_secondPath = PickDatabaseFile(1);
  m_second->setText(QString::fromStdString(m_secondPath));
}

void CQORMerge::SetDefaultOutput(const std::string& path) {
  if (path.empty()) return;
  m_outputPath = ProposeMergeOutputPath(path);
  m_output->setText(QString::fromStdString(m_outputPath));
}

void CQORMerge::OnMerge() {
  if (m_outputCheck && !m_outputPath.empty() && !m_outputCheck(m_outputPath)) return;
  platform::WaitCursor wait;
  if (RunDatabaseMerge(m_firstPath, m_secondPath, m_outputPath).written) accept();
}
