// The program's main window: the database frames in an MDI area, the
// menus (one set without a database, one with), the toolbar, and the
// window state kept in the profile.
#pragma once

#include <QMainWindow>
#include <map>

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
  void RebuildMenus();
  void RefreshRecentFiles();

  // The toolbar's bar style as the profile keeps it ("ToolBarPosHoriz").
  int ToolBarStyle() const;
  void SetToolBarStyle(int style);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void PlaceOnScreen();
  void PlaceChild(CChildFrame& frame, int earlier);
  QAction* MakeAction(int command);
  void AddItems(QMenu* menu, std::initializer_list<int> commands);
  void BuildFileMenu(bool withDatabase);
  void BuildToolBar();
  void AddRecentFiles(QMenu* menu);
  void OnChildActivated();
  void SaveWindowState();

  CZAVApp& m_app;
  QMdiArea* m_mdi;
  QToolBar* m_toolBar = nullptr;
  std::map<int, QAction*> m_actions;
  bool m_menusWithDatabase = false;
  bool m_menusBuilt = false;
};
