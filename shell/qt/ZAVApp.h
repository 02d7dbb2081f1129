// The application: start-up and shutdown, the recent-file list, the
// commands that work without a database, opening and creating databases,
// and the help windows.
#pragma once

#include <QPointer>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "platform/DocumentHost.h"
#include "platform/DocumentViews.h"
#include "platform/LocationChooser.h"

class CChildFrame;
class CMainFrame;
class CZAVDoc;
class ReadBeside;
class CStreamHTMLDocTemplate;

namespace platform {
class Profile;
namespace qt {
class QtUi;
}
}  // namespace platform

class CZAVApp : public IHelpDisplay, public DocumentHost {
 public:
  struct Setup {
    bool installQtUi = true;               // tests keep their scripted interface
    platform::Profile* profile = nullptr;  // null: the QSettings profile
  };
  CZAVApp();
  explicit CZAVApp(Setup setup);
  // Saves the four report option sets.
  ~CZAVApp() override;

  // arguments: the database to open, or none for the open dialog; false
  // ends the program at once.
  bool InitInstance(const QStringList& arguments);
  static CZAVApp* Instance();

  CMainFrame* MainFrame() const;
  bool IsMaximizedAtStart() const { return m_showMaximized; }

  // Opens the database in a frame of its own; null when it did not open.
  CChildFrame* OpenDocumentFile(const std::string& path);
  // The same, with beside's part run while the file is read.
  CChildFrame* OpenDocumentFile(const std::string& path, ReadBeside& beside);
  void OpenRecentFile(const std::string& path);
  CChildFrame* NewDocument();
  void SetActiveFrame(CChildFrame* frame);

  const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }
  void AddToRecentFileList(const std::string& path);

  bool HasCommand(int command) const;
  void OnCommand(int command);
  // Runs the open-database dialog; createNew offers "Create new" (start-up run).
  // Returns true when the user chose "Create new".
  bool RunOpenDialog(bool createNew, bool* cancelled = nullptr);

  // Help windows (IHelpDisplay).
  void ShowHelpDialog(const std::string& address) override;
  void OpenHelpWindow(const std::string& address) override;
  void OpenHtmlWindow(const std::string& html) override;
  CStreamHTMLDocTemplate& HtmlTemplate() { return *m_htmlTemplate; }

  // What opening and creating databases ask of the program (DocumentHost).
  bool EditDescription(CZAVDoc& document) override;
  void AddRecentFile(const std::string& path) override { AddToRecentFileList(path); }

  static constexpr int kRecentFileCount = 4;

 private:
  void LoadRecentFiles();
  void SaveRecentFiles();
  void OnFileOpen();
  void OnMerge();
  CChildFrame* FindOpenFrame(const std::string& path) const;
  CChildFrame* AddFrame(std::unique_ptr<CZAVDoc> document);

  Setup m_setup;
  std::unique_ptr<platform::qt::QtUi> m_ui;
  std::unique_ptr<platform::LocationChooser> m_locationChooser;
  std::unique_ptr<platform::Profile> m_ownProfile;
  QPointer<CMainFrame> m_mainFrame;
  std::unique_ptr<CStreamHTMLDocTemplate> m_htmlTemplate;
  std::vector<std::string> m_recentFiles;
  bool m_showMaximized = false;
  bool m_profileInstalled = false;
};
