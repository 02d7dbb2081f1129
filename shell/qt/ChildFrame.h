// The frame of one open database: the tree (top left), the item list
// (bottom left) and the report view (right), with the database's status
// bar. The frame owns the document; the views are destroyed before it.
#pragma once

#include <QMdiSubWindow>
#include <memory>
#include <optional>

#include "database/ZAVDocCommands.h"

class CZAVDoc;
class CLeftView;
class CItemListView;
class CZAVView;
class QLabel;
class QSplitter;
class QStatusBar;

class CChildFrame : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit CChildFrame(std::unique_ptr<CZAVDoc> document, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CZAVDoc& GetDocument() const { return *m_document; }
  CLeftView* LeftView() const { return m_tree; }
  CItemListView* ItemListView() const { return m_list; }
  CZAVView* HtmlView() const { return m_view; }
  QSplitter* OuterSplitter() const { return m_outer; }
  QSplitter* NestedSplitter() const { return m_nested; }
  QStatusBar* StatusBar() const { return m_statusBar; }
  QLabel* ForgivenessPane() const { return m_forgivenessPane; }
  QLabel* LockPane() const { return m_lockPane; }

  // Shows the frame, maximised on the run's first activation when the
  // profile says database windows were maximised.
  void ActivateFrame();
  // The first page of a newly opened database.
  void InitialUpdate();
  // The left column back to 365 pixels (two fifths of a narrower frame),
  // the tree to two thirds of the height.
  void ApplySplitterRule();
  void UpdateStatusPanes();
  // Title, file name and the unsaved-changes marker.
  void UpdateCaption();

  bool OnCommand(int command);
  std::optional<CommandState> CommandStateOf(int command);

  // Asks to save a modified database; false when the user cancelled.
  bool SaveModified();
  bool Save(bool askForName);

  static void ResetFirstActivation();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateClient();
  void OnExport();
  void CreateStatusBar(QWidget* client);
  void InstallPaneKeys();
  void FocusNextPane(bool forward);
  template <class Handle>
  bool OfferToPanes(Handle&& handle);

  std::unique_ptr<CZAVDoc> m_document;
  QWidget* m_client = nullptr;
  QSplitter* m_outer = nullptr;
  QSplitter* m_nested = nullptr;
  CLeftView* m_tree = nullptr;
  CItemListView* m_list = nullptr;
  CZAVView* m_view = nullptr;
  QStatusBar* m_statusBar = nullptr;
  QLabel* m_forgivenessPane = nullptr;
  QLabel* m_lockPane = nullptr;
  bool m_splittersReady = false;
};
