// What the report option dialogs share: a column of boxes with OK and
// Cancel, F1 for the dialog's own help topic, and OK that stores only when
// the dialog's checks pass (a failing check leaves the dialog open).
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <array>

#include "reports/ReportOptionForms.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

class COptionsDialog : public QDialog {
  Q_OBJECT
 public:
  COptionsDialog(QWidget* parent, const QString& objectName, const QString& title, const char* helpTopic);

  void accept() override;

 protected:
  // Checks and stores the dialog's values; false keeps the dialog open.
  virtual bool Store() = 0;

  QVBoxLayout* Body() const { return m_body; }
  QCheckBox* AddCheck(const QString& objectName, const QString& text, bool checked);
  // The three boxes of what every report page shows first.
  struct PageBoxes {
    QCheckBox* picture;
    QCheckBox* description;
    QCheckBox* file;
  };
  PageBoxes AddPageBoxes(bool picture, bool description, bool file);
  // Values the sets keep without the user choosing them here: the thumbnail
  // mode (the toolbar's toggle switches it) and the dialog before every report.
  QCheckBox* AddThumbnailMode(bool checked, bool thumbnailsFolderPresent);
  QCheckBox* AddDontShow(bool checked);
  // A labelled text box for a number.
  QLineEdit* AddNumber(const QString& objectName, const QString& label, const std::string& value);
  // OK and Cancel below whatever the dialog added.
  void AddButtons();

  void keyPressEvent(QKeyEvent* event) override;

 private:
  QVBoxLayout* m_body;
  const char* m_helpTopic;
};

// The "Attribute Data" radio group of the two item dialogs.
class CAttributeDataGroup : public QGroupBox {
  Q_OBJECT
 public:
  CAttributeDataGroup(QWidget* parent, AttributeData value);
  AttributeData Value() const;

 private:
  std::array<QRadioButton*, 4> m_buttons{};
};
