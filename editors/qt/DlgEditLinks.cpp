#include "editors/qt/DlgEditLinks.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/FieldChecks.h"
#include "editors/LinkLocation.h"
#include "editors/LinkTextChecks.h"
#include "editors/qt/EditorFields.h"
#include "platform/ErrorBox.h"
#include "platform/qt/DialogRunner.h"

namespace editors::qt {

CDlgEditLinks::CDlgEditLinks(const CZAVDoc& document, LinkEditMode mode, const ExternalLinkText& link, QWidget* parent)
    : EditorDialogBase(mode == LinkEditMode::Add ? "Add External Link" : "Edit External Link",
                       "help.htm#External_Link_Editor", parent),
      m_document(document),
      m_givenAddress(link.address) {
  setObjectName("externalLinkEditor");
  auto* form = new QFormLayout;
  m_name = AddTextRow(*this, *form, "External Link Text:", "linkText", link.name);
  auto* addressRow = new QHBoxLayout;
  m_address = new QLineEdit(ToQ(link.address), this);
  m_address->setObjectName("pageLocation");
  m_browse = new QPushButton("Browse", this);
  m_browse->setObjectName("browse");
  m_browse->setAutoDefault(false);  // Enter in a field is OK, not Browse
  addressRow->addWidget(m_address);
  addressRow->addWidget(m_browse);
  form->addRow("Page Location:", addressRow);
  FormArea()->addLayout(form);
  m_address->setMinimumWidth(360);
  connect(m_browse, &QPushButton::clicked, this, &CDlgEditLinks::OnBrowse);
  SetFieldWidget(kTextField, m_name);
  SetFieldWidget(kLocationField, m_address);
}

ExternalLinkText CDlgEditLinks::Link() const { return {TextOf(*m_name), TextOf(*m_address)}; }

void CDlgEditLinks::OnBrowse() {
  RunCommand([this] {
    if (auto location = BrowseLinkLocation(m_document, m_givenAddress)) m_address->setText(ToQ(*location));
  });
}

bool CDlgEditLinks::OnOK() {
  const ExternalLinkText link = Link();
  editors::CheckField(kTextField, [&] { CheckLinkName(link.name); });
  editors::CheckField(kLocationField, [&] { CheckLinkAddress(link.address); });
  return true;
}

std::optional<ExternalLinkText> EditExternalLink(const CZAVDoc& document, LinkEditMode mode,
                                                 const ExternalLinkText& link, QWidget* parent) {
  CDlgEditLinks dialog(document, mode, link, parent);
  if (platform::qt::RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Link();
}

}  // namespace editors::qt
