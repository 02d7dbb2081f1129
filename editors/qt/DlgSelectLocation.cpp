#include "editors/qt/DlgSelectLocation.h"

#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "platform/qt/DialogButtons.h"
#include "platform/qt/DialogRunner.h"

namespace {

QLabel* AddValue(QFormLayout* form, const char* label, const std::string& text, const char* objectName) {
  auto* value = new QLabel(QString::fromStdString(text));
  value->setObjectName(objectName);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(label, value);
  return value;
}

}  // namespace

CDlgSelectLocation::CDlgSelectLocation(LocationChoice& choice, QWidget* parent)
    : QDialog(parent), m_choice(choice), m_list(new QListWidget(this)) {
  setObjectName("selectLocationDialog");
  setWindowTitle(LocationChoice::kCaption);
  resize(560, 380);  // room for a path of several folders
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(LocationChoice::kPrompt, this);
  prompt->setWordWrap(true);
  layout->addWidget(prompt);
  auto* form = new QFormLayout;
  AddValue(form, LocationChoice::kItemLabel, choice.ItemText(), "itemText");
  AddValue(form, LocationChoice::kStoredLocationLabel, choice.StoredLocation(), "storedLocation");
  layout->addLayout(form);
  m_list->setObjectName("candidates");
  for (const std::string& candidate : choice.Candidates()) m_list->addItem(QString::fromStdString(candidate));
  m_list->setCurrentRow(choice.SelectedRow());
  connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_choice.Select(row); });
  layout->addWidget(m_list);
  platform::qt::AddOkCancel(*this, *layout);
}

void CDlgSelectLocation::accept() {
  if (m_choice.Accept()) QDialog::accept();
}

std::optional<int> CDialogLocationChooser::ChooseLocation(const std::string& itemText,
                                                          const std::string& storedLocation,
                                                          const std::vector<std::string>& candidates) {
  LocationChoice choice(itemText, storedLocation, candidates);
  CDlgSelectLocation dialog(choice, m_parent);
  if (platform::qt::RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  return choice.Choice();
}
