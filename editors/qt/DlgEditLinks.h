// The external link editor: the text a link shows and the location of the
// page it opens, with Browse storing a page beside the database relative to
// its folder. The item editor edits each link through EditExternalLink.
#pragma once

#include <optional>
#include <string>

#include "editors/qt/EditorDialogBase.h"

class CZAVDoc;
class QLineEdit;
class QPushButton;

namespace editors::qt {

struct ExternalLinkText {
  std::string name;
  std::string address;
  bool operator==(const ExternalLinkText&) const = default;
};

enum class LinkEditMode { Add, Edit };

class CDlgEditLinks : public EditorDialogBase {
  Q_OBJECT
 public:
  CDlgEditLinks(const CZAVDoc& document, LinkEditMode mode, const ExternalLinkText& link, QWidget* parent);

  ExternalLinkText Link() const;
  void OnBrowse();

 protected:
  bool OnOK() override;

 private:
  enum Field { kTextField, kLocationField };

  const CZAVDoc& m_document;
  std::string m_givenAddress;  // Browse starts from the page the link had, not from what was typed
  QLineEdit* m_name;
  QLineEdit* m_address;
  QPushButton* m_browse;
};

// Runs the link editor modally on one link; the edited link on OK, nothing
// on Cancel. An empty text is accepted, an empty location is not.
std::optional<ExternalLinkText> EditExternalLink(const CZAVDoc& document, LinkEditMode mode,
                                                 const ExternalLinkText& link, QWidget* parent);

}  // namespace editors::qt
