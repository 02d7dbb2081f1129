// Opens help pages, single pictures and picture-viewer pages in windows of
// their own, each titled "Image Gallery", and the modal help dialog.
#pragma once

#include <QPointer>
#include <string>

class QMdiArea;
class QWidget;

class CStreamHTMLDocTemplate {
 public:
  // Windows go into the MDI area when there is one, else stand alone.
  void SetMdiArea(QMdiArea* area) { m_area = area; }

  // A text containing "<html>" is shown as it is; anything else is an
  // address (a file path with an optional "#" anchor). Returns the window.
  QWidget* OpenDocumentFile(const std::string& pathOrHtml);
  // The HTML text most recently handed over.
  const std::string& Html() const { return m_html; }

  // The modal help dialog "QOR Help" on an address.
  static void RunHelpDialog(const std::string& address, QWidget* parent);

 private:
  QPointer<QMdiArea> m_area;
  std::string m_html;
};
