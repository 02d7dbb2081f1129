// The item editor: an item's names, description, external links and
// pictures; Next and Previous store the item and step through the item list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editors/ItemForm.h"
#include "editors/qt/EditorDialogBase.h"

class CZAVDoc;
class CPictureRowsWidget;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QPlainTextEdit;
class QPushButton;

class CDlgItem : public editors::qt::EditorDialogBase {
  Q_OBJECT
 public:
  // item -1 makes a new item; rowCount and row place the item in the item
  // list for Next and Previous (no stepping without rows). The dialog takes
  // the picture rows that its opener made.
  CDlgItem(CZAVDoc& document, int item, int rowCount, int row, CPictureRowsWidget* pictures, QWidget* parent = nullptr);

  // The item edited; a new item's index once it was stored.
  int ItemIndex() const { return m_item; }
  int CurrentRow() const { return m_row; }
  // Whether anything was stored, by OK or by a step.
  bool StoredAny() const { return m_storedAny; }
  // Called after a step stored the item, before the next one is loaded; the
  // caller brings its views in step and returns the item list's row count.
  void SetAfterStepStore(std::function<int(int item)> refresh) { m_afterStepStore = std::move(refresh); }

 protected:
  bool OnOK() override;

 private:
  void BuildForm();
  QWidget* BuildNameRows();
  QWidget* BuildLinkRows();
  void AddStepButtons();
  void ShowLevelLabels();
  void LoadItem(int item);
  void ShowFields();
  void FillLinkList();
  editors::ItemFields TakeFields() const;
  void Store(bool forStep);
  void Step(bool forward);
  void OnAddLink();
  void OnEditLink();
  void StoreLink(int row, const std::string& name, const std::string& address);
  void OnRemoveLink();

  CZAVDoc& m_doc;
  editors::ItemForm m_form;
  int m_item;
  int m_rowCount;
  int m_row;
  bool m_storedAny = false;
  editors::ItemFields m_fields;
  editors::ItemFields m_loaded;
  std::vector<std::string> m_linkLines;  // "name@$address", one per row of the links list
  std::function<int(int item)> m_afterStepStore;

  QLabel* m_nameLabel = nullptr;
  QLabel* m_familyLabel = nullptr;
  QLabel* m_genusLabel = nullptr;
  QLabel* m_speciesLabel = nullptr;
  QLineEdit* m_name = nullptr;
  QLineEdit* m_family = nullptr;
  QLineEdit* m_genus = nullptr;
  QLineEdit* m_species = nullptr;
  QPlainTextEdit* m_description = nullptr;
  QTreeWidget* m_links = nullptr;
  CPictureRowsWidget* m_pictures;
};
