#include "editors/qt/DlgDBDescription.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editors/qt/EditorFields.h"
#include "platform/qt/DialogRunner.h"

namespace editors::qt {

namespace {

struct LevelRowText {
  const char* label;
  const char* objectName;
};
constexpr LevelRowText kLevelRows[4] = {
    {"Title for single level (Common):", "levelCommon"},
    {"Title for multi-level 1(Family):", "levelFamily"},
    {"Title for multi-level 2(Genus):", "levelGenus"},
    {"Title for multi-level 3(Species):", "levelSpecies"},
};

}  // namespace

CDlgDBDescription::CDlgDBDescription(CZAVDoc& document, QWidget* parent)
    : EditorDialogBase("Database description", "help.htm#Database_Description_Editor", parent),
      m_document(document),
      m_editor(document) {
  setObjectName("databaseDescriptionEditor");
  const DescriptionForm form = m_editor.InitialForm();
  auto* texts = new QFormLayout;
  m_title = AddTextRow(*this, *texts, "Database Title:", "title", form.title);
  m_dbVersion = AddTextRow(*this, *texts, "Database Version:", "databaseVersion", form.dbVersion);
  m_menuVersion = AddTextRow(*this, *texts, "Interactive Identification Version:", "menuVersion", form.menuVersion);
  FormArea()->addLayout(texts);
  auto* groups = new QHBoxLayout;
  groups->addWidget(BuildNamesGroup(form));
  groups->addWidget(BuildRootKindGroup(form));
  FormArea()->addLayout(groups);
  FormArea()->addWidget(BuildLevelNamesGroup(form));
  FormArea()->addWidget(new QLabel("Description:", this));
  m_description = MakeTextArea(this, "description", form.description);
  FormArea()->addWidget(m_description);
  EnableLevelNames();
  m_title->setFocus();
  resize(560, 640);
}

QWidget* CDlgDBDescription::BuildNamesGroup(const DescriptionForm& form) {
  auto* group = new QGroupBox("Item Names", this);
  auto* layout = new QVBoxLayout(group);
  m_common = MakeCheckBox(group, "Common", "commonNames", form.names.common);
  m_scientific = MakeCheckBox(group, "Scientific", "scientificNames", form.names.scientific);
  layout->addWidget(m_common);
  layout->addWidget(m_scientific);
  for (QCheckBox* box : {m_common, m_scientific})
    connect(box, &QCheckBox::clicked, this, &CDlgDBDescription::OnLevelSwitch);
  return group;
}

QWidget* CDlgDBDescription::BuildRootKindGroup(const DescriptionForm& form) {
  auto* group = new QGroupBox("Interactive Identification", this);
  group->setObjectName("rootKind");
  auto* layout = new QVBoxLayout(group);
  m_rootMenus = new QRadioButton("Menu of Submenus", group);
  m_rootMenus->setObjectName("rootMenuOfMenus");
  m_rootAttributes = new QRadioButton("Menu of Attributes", group);
  m_rootAttributes->setObjectName("rootMenuOfAttributes");
  (form.rootKind == 1 ? m_rootAttributes : m_rootMenus)->setChecked(true);
  // Once the root exists its kind is the tree's business.
  m_rootMenus->setEnabled(m_editor.RootKindEnabled());
  m_rootAttributes->setEnabled(m_editor.RootKindEnabled());
  layout->addWidget(m_rootMenus);
  layout->addWidget(m_rootAttributes);
  return group;
}

QWidget* CDlgDBDescription::BuildLevelNamesGroup(const DescriptionForm& form) {
  auto* group = new QWidget(this);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(0, 0, 0, 0);
  m_useLevelNames = MakeCheckBox(group, "Use Custom Level Names for Items", "useLevelNames", form.useLevelNames);
  connect(m_useLevelNames, &QCheckBox::clicked, this, &CDlgDBDescription::OnLevelSwitch);
  layout->addWidget(m_useLevelNames);
  auto* rows = new QFormLayout;
  for (int row = 0; row < 4; ++row) {
    m_levelLabels[row] = new QLabel(kLevelRows[row].label, group);
    m_levelTitles[row] = new QLineEdit(ToQ(form.levelTitles[row]), group);
    m_levelTitles[row]->setObjectName(kLevelRows[row].objectName);
    rows->addRow(m_levelLabels[row], m_levelTitles[row]);
  }
  layout->addLayout(rows);
  auto* hint = new QLabel("When creating a database with only two levels, leave the family level blank.", group);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  return group;
}

DescriptionForm CDlgDBDescription::Form() const {
  DescriptionForm form;
  form.title = TextOf(*m_title);
  form.dbVersion = TextOf(*m_dbVersion);
  form.menuVersion = TextOf(*m_menuVersion);
  form.description = TextOf(*m_description);
  form.names = {m_common->isChecked(), m_scientific->isChecked()};
  form.rootKind = m_rootAttributes->isChecked() ? 1 : 0;
  form.useLevelNames = m_useLevelNames->isChecked();
  for (int row = 0; row < 4; ++row) form.levelTitles[row] = TextOf(*m_levelTitles[row]);
  return form;
}

void CDlgDBDescription::OnLevelSwitch() {
  EnableLevelNames();
  ShowLevelNames();
}

void CDlgDBDescription::EnableLevelNames() {
  const DescriptionForm form = Form();
  for (int row = 0; row < 4; ++row) {
    const bool enabled = DescriptionEditor::LevelRowEnabled(form, row);
    m_levelTitles[row]->setEnabled(enabled);
    m_levelLabels[row]->setEnabled(enabled);
  }
}

void CDlgDBDescription::ShowLevelNames() {
  const std::array<std::string, 4> shown = m_editor.ShownLevelTitles(Form());
  for (int row = 0; row < 4; ++row) m_levelTitles[row]->setText(ToQ(shown[row]));
}

bool CDlgDBDescription::OnOK() { return m_editor.Store(Form()); }

bool RunDescriptionEditor(CZAVDoc& document, QWidget* parent) {
  CDlgDBDescription dialog(document, parent);
  return platform::qt::RunModal(dialog) == QDialog::Accepted;
}

}  // namespace editors::qt
