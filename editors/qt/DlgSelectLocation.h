// The choice among several places where a picture was found during an
// import: the record, the stored name and the places, the first one
// selected. OK without a selected row leaves the dialog open.
#pragma once

#include <QDialog>

#include "database/LocationChoice.h"
#include "platform/LocationChooser.h"

class QListWidget;

class CDlgSelectLocation : public QDialog {
  Q_OBJECT
 public:
  CDlgSelectLocation(LocationChoice& choice, QWidget* parent = nullptr);

  void accept() override;

 private:
  LocationChoice& m_choice;
  QListWidget* m_list;
};

// The chooser the program installs: asks through the dialog above.
class CDialogLocationChooser : public platform::LocationChooser {
 public:
  explicit CDialogLocationChooser(QWidget* parent = nullptr) : m_parent(parent) {}
  std::optional<int> ChooseLocation(const std::string& itemText, const std::string& storedLocation,
                                    const std::vector<std::string>& candidates) override;

 private:
  QWidget* m_parent;
};
