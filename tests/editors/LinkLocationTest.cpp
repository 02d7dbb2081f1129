#include <gtest/gtest.h>

#include "database/ExternalLinks.h"
#include "database/ZAVDoc.h"
#include "editors/LinkLocation.h"
#include "fakes/ScriptedUi.h"
#include "fakes/TempFolder.h"
#include "platform/ErrorBox.h"

using namespace editors;

TEST(LinkLocation, RelativeToTheDatabaseFolder) {
  EXPECT_EQ(RelativeLocation("/keys/birds/", "/keys/birds/robin.htm"), "./robin.htm");
  EXPECT_EQ(RelativeLocation("/keys/birds/", "/keys/birds/pages/robin.htm"), "./pages/robin.htm");
  EXPECT_EQ(RelativeLocation("/keys/birds/", "/keys/robin.htm"), "../robin.htm");
  EXPECT_EQ(RelativeLocation("/keys/birds/", "/keys/fish/pike.htm"), "../fish/pike.htm");
  // Folders written the Windows way read the same.
  EXPECT_EQ(RelativeLocation("C:\\keys\\birds\\", "C:\\keys\\birds\\pages\\robin.htm"), "./pages/robin.htm");
}

TEST(LinkLocation, StoredWithTheSeparatorTheDatabaseUses) {
  CZAVDoc doc;
  EXPECT_EQ(StoredSeparator(doc), '\\');  // nothing stored yet: the file's own form
  doc.AddItem("", "", "Robin", "", "", JoinDescriptionAndLinks("red", MakeLink("web", "http://a.org/x") + "\r\n"));
  EXPECT_EQ(StoredSeparator(doc), '\\');  // a web address says nothing
  doc.AddItem("", "", "Jay", "", "", JoinDescriptionAndLinks("blue", MakeLink("page", "./pages/jay.htm") + "\r\n"));
  EXPECT_EQ(StoredSeparator(doc), '/');
  doc.AddItem("pics\\crow.jpg;", "", "Crow", "", "", "");
  EXPECT_EQ(StoredSeparator(doc), '/');  // the first item that uses one decides
  CZAVDoc windowsKey;
  windowsKey.AddItem("pics\\crow.jpg;", "", "Crow", "", "", "");
  EXPECT_EQ(StoredSeparator(windowsKey), '\\');
  EXPECT_EQ(WithSeparator("../fish/pike.htm", '\\'), "..\\fish\\pike.htm");
  EXPECT_EQ(WithSeparator("..\\fish/pike.htm", '/'), "../fish/pike.htm");
}

TEST(LinkLocation, BrowseStartsAtTheLinksFileOrAtHtmPagesOfTheFolder) {
  TempFolder folder;
  folder.Write("birds/pages/robin.htm");
  const std::string base = (folder.path() / "birds").string() + "/";
  EXPECT_EQ(BrowseStartFile("./pages/robin.htm", base), base + "pages/robin.htm");
  EXPECT_EQ(BrowseStartFile(".\\pages\\robin.htm", base), base + "pages/robin.htm");
  EXPECT_EQ(BrowseStartFile("./pages/missing.htm", base), base + "*.htm");
  EXPECT_EQ(BrowseStartFile("", base), base + "*.htm");
}

TEST(LinkLocation, BrowseNeedsASavedDatabaseAndKeepsTheLocationOnCancel) {
  ScriptedUi ui;
  CZAVDoc doc;
  EXPECT_FALSE(RunCommand([&] { BrowseLinkLocation(doc, ""); }));
  EXPECT_EQ(ui.Messages().back(), "Please save the document.");

  TempFolder folder;
  doc.m_pathName = folder.File("birds/birds.qor");
  ui.fileAnswers = {std::nullopt, folder.File("pages/jay.htm")};
  EXPECT_EQ(BrowseLinkLocation(doc, "x.htm"), std::nullopt);
  EXPECT_EQ(BrowseLinkLocation(doc, "x.htm"), std::optional<std::string>("..\\pages\\jay.htm"));
}
