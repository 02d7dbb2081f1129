// The right-hand pane of a database frame: the report page in a web view.
// Private links caught by the page script and navigations the page refused
// are put to the current link action from the event loop, never from inside
// a browser callback.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/DocumentViews.h"
#include "reports/ActionSlots.h"

class CZAVDoc;
class CCustomControlSite;
class CReportPage;
class QAction;
class QMenu;
class QPrinter;
class QWebEngineView;

class CZAVView : public QWidget, public IHtmlView {
  Q_OBJECT

 public:
  CZAVView(CZAVDoc& doc, QWidget* parent = nullptr);
  ~CZAVView() override;

  // IHtmlView
  void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) override;
  int PopupItemMenu(bool editable) override;
  int PopupRegionMenu() override;

  // Loads a file (the opening page) past the link actions.
  void NavigateTo(const std::string& path) override;
  void Print() override;
  void PageSetup();

  // The tree or the item list records itself here; it gets the keyboard
  // focus back whenever a page has finished loading.
  void SetFocusWindow(QWidget* window) { m_focusWindow = window; }
  static void RememberFocusWindow(CZAVDoc& doc, QWidget* window);

  // How a popup runs (a test answers it without a menu on screen).
  using PopupRunner = std::function<QAction*(QMenu&)>;
  void SetPopupRunner(PopupRunner runner) { m_popupRunner = std::move(runner); }

  // Where a popup of the page opens (global): at the element when the
  // keyboard asked for it, else at the mouse pointer.
  QPoint PopupPoint() const;

  // The status-bar text for a status text of the page.
  static QString StatusTextFor(const QString& text);

  CZAVDoc& GetDocument() const { return m_doc; }
  QWebEngineView* WebView() const;
  CReportPage& Page() const { return *m_page; }
  const ActionSlots& Actions() const { return m_actions; }

 signals:
  void statusTextChanged(const QString& text);

 private slots:
  void OnLinkClicked(const QString& raw, bool shift, const QPoint& keyboardAnchor);
  void OnNavigationRequested(const QString& address);
  void OnStatusText(const QString& text);
  void OnLoadFinished();

 private:
  bool RunAction(const QString& address, bool shift);
  QString DatabaseFolder() const;
  QPrinter& Printer();
  int RunPopup(const std::vector<std::pair<int, const char*>>& entries);

  CZAVDoc& m_doc;
  CCustomControlSite* m_site;
  CReportPage* m_page;
  ActionSlots m_actions;
  QPointer<QWidget> m_focusWindow;
  std::unique_ptr<QPrinter> m_printer;
  PopupRunner m_popupRunner;
  // In page pixels while the link the keyboard followed is being acted on.
  std::optional<QPoint> m_keyboardAnchor;
};
