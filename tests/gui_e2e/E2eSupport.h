// The program started on a copy of the sample key, as a user would start
// it, with a scripted user interface and a profile of its own; and the
// waits on the real browser the end-to-end tests need.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>
#include <string>

#include "fakes/ScriptedUi.h"
#include "gui_view/ViewTestSupport.h"
#include "platform/qt/DialogRunner.h"
#include "platform/qt/QtProfile.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/ChildFrame.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/MainFrame.h"
#include "shell/qt/TreeModel.h"
#include "shell/qt/ZAVApp.h"

namespace e2e {

using viewtest::ReadDom;
using viewtest::RunJs;
using viewtest::WaitUntil;

// Copies every file of the folder (not its subfolders) into another.
inline bool CopyFolderFiles(const QString& from, const QString& to) {
  const QDir source(from);
  for (const QString& name : source.entryList(QDir::Files))
    if (!QFile::copy(source.filePath(name), QDir(to).filePath(name))) return false;
  return true;
}

// A right press on the attribute's label in the tree; the popup's runner answers it.
inline void RightPressAttribute(CLeftView& tree, int attribute) {
  tree.expandAll();
  const QModelIndex index = tree.Model().IndexOf(tree.Tree().FindAttributeNode(attribute));
  tree.scrollTo(index);
  const QRect rect = tree.visualRect(index);
  const QPoint at(rect.left() + 40, rect.center().y());
  QMouseEvent press(QEvent::MouseButtonPress, at, tree.viewport()->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QApplication::sendEvent(tree.viewport(), &press);
}

class SampleKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.isValid());
    // The sample is copied: opening and saving write files beside the key.
    ASSERT_TRUE(CopyFolderFiles(QStringLiteral(QOR_SAMPLE_FOLDER), m_folder.path()));
    ASSERT_TRUE(QFile::exists(KeyPath())) << "sample key not built";
    CChildFrame::ResetFirstActivation();
    platform::qt::SetModalHook(nullptr);
    m_profile = std::make_unique<platform::qt::QtProfile>(m_folder.filePath("profile.ini"));
    m_app = std::make_unique<CZAVApp>(CZAVApp::Setup{false, m_profile.get()});
    ASSERT_TRUE(m_app->InitInstance({KeyPath()}));
    ASSERT_NE(m_app->MainFrame(), nullptr);
    m_frame = m_app->MainFrame()->ActiveChild();
    ASSERT_NE(m_frame, nullptr);
  }
  void TearDown() override {
    m_app.reset();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }

  QString KeyPath() const { return m_folder.filePath("birds.qor"); }
  CZAVDoc& Doc() const { return m_frame->GetDocument(); }
  CZAVView& View() const { return *m_frame->HtmlView(); }
  QWebEnginePage& Page() const { return *View().WebView()->page(); }

  // The script's answer on the page now shown; waits until it is true.
  // Read from a world of its own, which sees the document of a key's page
  // too (that runs no script of its own).
  bool WaitForPage(const QString& condition) {
    return WaitUntil([&] { return ReadDom(Page(), QStringLiteral("(%1) ? 1 : 0").arg(condition)).toInt() == 1; });
  }
  QString PageText() {
    return ReadDom(Page(), QStringLiteral("document.body ? document.body.innerText : ''")).toString();
  }

  // Clicks the first link the user can see whose href holds the text, with
  // the mouse, as a user would; returns that href.
  QString ClickLink(const QString& hrefPart) {
    const QString script = QStringLiteral(
                               "(function(){var links=document.getElementsByTagName('a');"
                               "for(var i=0;i<links.length;++i){var h=links[i].getAttribute('href')||'';"
                               "var r=links[i].getBoundingClientRect();"
                               "if(h.indexOf('%1')>=0&&r.width>0&&r.height>0)return [i, h];}return [-1, ''];})()")
                               .arg(hrefPart);
    // A link around a picture has its size only once the picture has loaded.
    QVariantList found;
    if (!WaitUntil([&] {
          found = ReadDom(Page(), script).toList();
          return found.size() == 2 && found[0].toInt() >= 0;
        }))
      return {};
    const QString link = QStringLiteral("document.getElementsByTagName('a')[%1]").arg(found[0].toInt());
    return viewtest::MouseClick(*View().WebView(), link) ? found[1].toString() : QString();
  }

  ScriptedUi m_ui;
  QTemporaryDir m_folder;
  std::unique_ptr<platform::qt::QtProfile> m_profile;
  std::unique_ptr<CZAVApp> m_app;
  CChildFrame* m_frame = nullptr;
};

}  // namespace e2e
