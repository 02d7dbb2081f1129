#include "editors/qt/DlgItem.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QHeaderView>
#include <QTreeWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QVBoxLayout>
#include <utility>

#include "database/ExternalLinks.h"
#include "database/ZAVDoc.h"
#include "editors/ItemStore.h"
#include "editors/qt/DlgEditLinks.h"
#include "editors/qt/EditorFields.h"
#include "editors/qt/PictureRowsWidget.h"
#include "platform/DocumentViews.h"
#include "platform/ErrorBox.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QLineEdit* NamedEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

QPushButton* NamedButton(const char* text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// The text and the location in columns of their own, so the locations line up.
QTreeWidgetItem* LinkRow(const std::string& name, const std::string& address) {
  return new QTreeWidgetItem(QStringList{Q(name), Q(address)});
}

}  // namespace

CDlgItem::CDlgItem(CZAVDoc& document, int item, int rowCount, int row, CPictureRowsWidget* pictures, QWidget* parent)
    : EditorDialogBase({}, "help.htm#Item_Species_Description_Editor", parent),
      m_doc(document),
      m_form(editors::GetItemForm(document.m_header)),
      m_item(item),
      m_rowCount(rowCount),
      m_row(row),
      m_pictures(pictures) {
  setObjectName("itemEditor");
  BuildForm();
  LoadItem(item);
  ShowFields();
  // The author starts typing at the first name the form shows.
  (editors::ShowsNameField(m_form) ? m_name : m_family)->setFocus();
}

void CDlgItem::BuildForm() {
  QVBoxLayout* layout = FormArea();
  layout->addWidget(BuildNameRows());
  layout->addWidget(new QLabel("Description:", this));
  // Tab moves on to the links as in every other editor's text areas; a typed
  // tab would only end up in the key.
  m_description = editors::qt::MakeTextArea(this, "descriptionEdit", {});
  layout->addWidget(m_description, 2);
  layout->addWidget(BuildLinkRows(), 1);
  layout->addWidget(new QLabel("Image File:", this));
  m_pictures->setParent(this);
  layout->addWidget(m_pictures, 1);
  AddStepButtons();
  ShowLevelLabels();
  using editors::ItemField;
  for (auto [field, widget] : {std::pair<ItemField, QWidget*>{ItemField::Name, m_name},
                               {ItemField::Family, m_family},
                               {ItemField::Genus, m_genus},
                               {ItemField::Species, m_species},
                               {ItemField::Description, m_description}})
    SetFieldWidget(static_cast<int>(field), widget);
  resize(520, 560);
}

QWidget* CDlgItem::BuildNameRows() {
  auto* box = new QWidget(this);
  auto* rows = new QFormLayout(box);
  rows->setContentsMargins(0, 0, 0, 0);
  m_name = NamedEdit("nameEdit", box);
  m_family = NamedEdit("familyEdit", box);
  m_genus = NamedEdit("genusEdit", box);
  m_species = NamedEdit("speciesEdit", box);
  m_nameLabel = new QLabel(box);
  m_familyLabel = new QLabel(box);
  m_genusLabel = new QLabel(box);
  m_speciesLabel = new QLabel(box);
  if (editors::ShowsNameField(m_form)) rows->addRow(m_nameLabel, m_name);
  if (editors::ShowsScientificFields(m_form)) {
    rows->addRow(m_familyLabel, m_family);
    rows->addRow(m_genusLabel, m_genus);
    rows->addRow(m_speciesLabel, m_species);
  }
  for (QWidget* unused : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_nameLabel)})
    if (!editors::ShowsNameField(m_form)) unused->hide();
  for (QWidget* unused :
       std::initializer_list<QWidget*>{m_family, m_genus, m_species, m_familyLabel, m_genusLabel, m_speciesLabel})
    if (!editors::ShowsScientificFields(m_form)) unused->hide();
  return box;
}

QWidget* CDlgItem::BuildLinkRows() {
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel("External Links:", box));
  m_links = new QTreeWidget(box);
  m_links->setObjectName("linkList");
  m_links->setColumnCount(2);
  m_links->setHeaderLabels({"Text", "Location"});
  m_links->setRootIsDecorated(false);
  m_links->setAllColumnsShowFocus(true);
  m_links->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  layout->addWidget(m_links, 1);
  auto* buttons = new QHBoxLayout;
  QPushButton* add = NamedButton("Add Link", "addLinkButton", box);
  QPushButton* edit = NamedButton("Edit Link", "editLinkButton", box);
  QPushButton* remove = NamedButton("Remove Link", "removeLinkButton", box);
  connect(add, &QPushButton::clicked, this, [this] { RunCommand([this] { OnAddLink(); }); });
  connect(edit, &QPushButton::clicked, this, [this] { RunCommand([this] { OnEditLink(); }); });
  connect(remove, &QPushButton::clicked, this, [this] { OnRemoveLink(); });
  buttons->addWidget(add);
  buttons->addWidget(edit);
  buttons->addWidget(remove);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  return box;
}

void CDlgItem::AddStepButtons() {
  QPushButton* previous = NamedButton("Previous", "previousButton", this);
  QPushButton* next = NamedButton("Next", "nextButton", this);
  // Without rows of the item list there is nothing to step through.
  previous->setEnabled(m_rowCount > 0);
  next->setEnabled(m_rowCount > 0);
  connect(previous, &QPushButton::clicked, this, [this] { Step(false); });
  connect(next, &QPushButton::clicked, this, [this] { Step(true); });
  Buttons()->addButton(previous, QDialogButtonBox::ActionRole);
  Buttons()->addButton(next, QDialogButtonBox::ActionRole);
}

void CDlgItem::ShowLevelLabels() {
  const std::string species = m_doc.GetSpeciesLabel();
  m_nameLabel->setText(m_form == editors::ItemForm::NameOnly ? "Name:" : Q(m_doc.GetCommonLabel() + ":"));
  m_familyLabel->setText(Q(m_doc.GetFamilyLabel() + ":"));
  m_genusLabel->setText(Q(m_doc.GetGenusLabel() + ":"));
  m_speciesLabel->setText(Q(species + ":"));
  // A key whose levels have no family leaves the family out of the form.
  if (m_doc.GetFamilyLabel().empty()) {
    m_familyLabel->hide();
    m_family->hide();
  }
  setWindowTitle(Q(editors::ItemEditorCaption(m_form, species)));
}

void CDlgItem::LoadItem(int item) {
  m_item = item;
  m_fields = editors::LoadItemFields(m_doc, item);
  m_loaded = m_fields;
}

void CDlgItem::ShowFields() {
  m_name->setText(Q(m_fields.name));
  m_family->setText(Q(m_fields.family));
  m_genus->setText(Q(m_fields.genus));
  m_species->setText(Q(m_fields.species));
  std::string typed;
  editors::SplitItemDescription(m_fields.description, typed, m_linkLines);
  m_description->setPlainText(Q(typed));
  FillLinkList();
  m_pictures->SetNames(editors::PictureNames(m_fields.pictures));
}

void CDlgItem::FillLinkList() {
  m_links->clear();
  for (const std::string& line : m_linkLines) {
    std::string name = line, address;
    SplitLink(line, name, address);
    m_links->addTopLevelItem(LinkRow(name, address));
  }
}

editors::ItemFields CDlgItem::TakeFields() const {
  editors::ItemFields fields;
  fields.name = S(m_name->text());
  fields.family = S(m_family->text());
  fields.genus = S(m_genus->text());
  fields.species = S(m_species->text());
  fields.description = editors::JoinItemDescription(S(m_description->toPlainText()), m_linkLines);
  fields.pictures = editors::PictureTextOf(m_pictures->Names());
  return fields;
}

// Checks, then stores; a failed check is the error box, which leaves the
// form as it was typed.
void CDlgItem::Store(bool forStep) {
  editors::ItemFields fields = TakeFields();
  editors::CheckItemFields(m_doc, fields, forStep);
  m_item = editors::StoreItemFields(m_doc, m_item, fields, m_loaded);
  m_fields = m_loaded = editors::LoadItemFields(m_doc, m_item);
  m_storedAny = true;
}

bool CDlgItem::OnOK() {
  Store(false);
  return true;
}

void CDlgItem::Step(bool forward) {
  if (!RunFieldChecks([this] { Store(true); })) return;
  if (m_afterStepStore) {
    const int rows = m_afterStepStore(m_item);
    if (rows > 0) m_rowCount = rows;
  }
  IItemListView* list = m_doc.GetItemListView();
  if (!list || m_rowCount <= 0) return;
  if (const int row = list->GetSelectedRow(); row >= 0 && list->GetSelectedItemOrNone() == m_item) m_row = row;
  m_row = editors::StepItemRow(m_row, m_rowCount, forward);
  list->SelectRow(m_row);
  RunCommand([list] { list->OnSelChange(); });
  const int item = list->GetSelectedItemOrNone();
  if (item < 0 || item >= m_doc.ItemCount()) return;
  LoadItem(item);
  ShowFields();
  ShowLevelLabels();
}

void CDlgItem::OnAddLink() {
  using namespace editors::qt;
  if (const auto link = EditExternalLink(m_doc, LinkEditMode::Add, {}, this)) StoreLink(-1, link->name, link->address);
}

void CDlgItem::OnEditLink() {
  using namespace editors::qt;
  const int row = m_links->indexOfTopLevelItem(m_links->currentItem());
  if (row < 0 || row >= static_cast<int>(m_linkLines.size())) return;
  ExternalLinkText given;
  given.name = m_linkLines[row];
  SplitLink(m_linkLines[row], given.name, given.address);
  if (const auto link = EditExternalLink(m_doc, LinkEditMode::Edit, given, this))
    StoreLink(row, link->name, link->address);
}

// A row left as it was keeps its place and selection untouched.
void CDlgItem::StoreLink(int row, const std::string& name, const std::string& address) {
  const std::string line = MakeLink(name, address);
  if (row < 0) {
    m_linkLines.push_back(line);
    m_links->addTopLevelItem(LinkRow(name, address));
    return;
  }
  if (m_linkLines[row] == line) return;
  m_linkLines[row] = line;
  delete m_links->takeTopLevelItem(row);
  m_links->insertTopLevelItem(row, LinkRow(name, address));
}

void CDlgItem::OnRemoveLink() {
  const int row = m_links->indexOfTopLevelItem(m_links->currentItem());
  if (row < 0 || row >= static_cast<int>(m_linkLines.size())) return;
  delete m_links->takeTopLevelItem(row);
  m_linkLines.erase(m_linkLines.begin() + row);
}
