// The program's main window: the database frames in an MDI area, the
// menus (one set without a database, one with), the toolbar, and the
// window state kept in the profile.
#pragma once

#include <QMainWindow>
#include <map>
#include <vector>

class CChildFrame;
class CZAVApp;
class QMdiArea;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(CZAVApp& app);
  ~CMainFrame() override;

  QMdiArea* MdiArea() const { return m_mdi; }
  QToolBar* ToolBar() const { return m_toolBar; }
  CChildFrame* ActiveChild() const;
  QList<CChildFrame*> Children() const;
  void AddChild(CChildFrame* frame);

  // Runs a menu or toolbar command (the error box abandons it), then
  // refreshes every command state.
  void OnCommand(int command);
  void UpdateCommandStates();
  QAction* Action(int command) const;
  // The File menu's entries follow the program's recent-file list.
  void RefreshRecentFiles();

  // The toolbar's bar style as the profile keeps it ("ToolBarPosHoriz").
  int ToolBarStyle() const;
  void SetToolBarStyle(int style);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceOnScreen();
  void PlaceChild(CChildFrame& frame, int earlier);
  QAction* MakeAction(int command);
  void AddItems(QMenu* menu, std::initializer_list<int> commands);
  QMenu* AddMenu(QList<QMenu*>& menus, const QString& title);
  void MakeRecentFileActions();
  void BuildFileMenu(QList<QMenu*>& menus, bool withDatabase);
  QList<QMenu*> BuildMenuSet(bool withDatabase);
  void ShowMenuSet();
  void BuildWindowMenu(QMenu* window);
  void BuildToolBar();
  void OnChildActivated();
  void UpdateTitle();
  void KeepChildrenInside();
  void SaveWindowState();

  CZAVApp& m_app;
  QMdiArea* m_mdi;
  QToolBar* m_toolBar = nullptr;
  std::map<int, QAction*> m_actions;
  std::vector<QAction*> m_recentFileActions;
  QAction* m_recentFileSeparator = nullptr;
  QList<QMenu*> m_menusWithoutDatabase;
  QList<QMenu*> m_menusForDatabase;
  bool m_menusWithDatabase = false;
  bool m_menusShown = false;
};
