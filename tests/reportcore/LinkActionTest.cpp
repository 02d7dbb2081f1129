// The link forms, each action's order of trial and the effects on the GUI side.
#include <unistd.h>

#include "ReportCoreFixtures.h"
#include "database/ProgramFolders.h"
#include "reports/LinkParser.h"

using namespace reportcore_test;
using Calls = std::vector<std::string>;

TEST(LinkParser, ReadsWrittenAndNormalisedPseudoAddresses) {
  for (const char* raw : {"http:\\\\menu12end", "http://menu12end/", "HTTP:\\/MENU12END", "http:/\\menu12end/"}) {
    const ParsedLink link = ParseLink(raw);
    EXPECT_EQ(link.form, LinkForm::Pseudo) << raw;
    EXPECT_EQ(link.word, "menu") << raw;
    EXPECT_EQ(LinkIndex(link, 13), 12) << raw;
  }
  const ParsedLink item = ParseLink("http:\\\\item%205end");
  EXPECT_EQ(item.word, "item%20");
  EXPECT_EQ(LinkIndex(item, 6), 5);
  EXPECT_FALSE(LinkIndex(item, 5)) << "out of range";
  const ParsedLink next = ParseLink("http:\\\\next0end");
  EXPECT_EQ(next.word, "next");
}

TEST(LinkParser, IsAnchoredAndRejectsOverflowAndRealAddresses) {
  EXPECT_EQ(ParseLink("http://www.movebank.org/").form, LinkForm::Other);
  EXPECT_EQ(ParseLink("http://menu.example.org/").form, LinkForm::Other);
  EXPECT_EQ(ParseLink("xhttp:\\\\menu1end").form, LinkForm::Other);
  EXPECT_EQ(ParseLink("http:\\\\menu1endx").form, LinkForm::Other);
  EXPECT_EQ(ParseLink("qorlink:http://www.movebank.org/").form, LinkForm::QorLink);
  EXPECT_EQ(ParseLink("qorattr:Leg").rest, "Leg");
  const ParsedLink huge = ParseLink("http:\\\\att99999999999999999999end");
  EXPECT_EQ(huge.form, LinkForm::Pseudo);
  EXPECT_FALSE(huge.numberFits);
  EXPECT_FALSE(LinkIndex(huge, 100));
  EXPECT_FALSE(LinkIndex(ParseLink("http:\\\\att-1end"), 100));
  const ParsedLink noEnd = ParseLink("http:\\\\item%205");
  EXPECT_EQ(noEnd.form, LinkForm::Pseudo);
  EXPECT_FALSE(noEnd.hasEnd);
  EXPECT_FALSE(LinkIndex(noEnd, 10));
}

TEST(LinkActions, MenuLinksSelectTreeNodesAndGalleryLeavesThemToTheBrowser) {
  Desk desk;
  ActionForMenuListRepotrt menus;
  EXPECT_TRUE(desk.Click(menus, "http:\\\\menu1end"));
  EXPECT_EQ(desk.log.calls, (Calls{"select menu 1", "node report 201"}));
  EXPECT_EQ(menus.FoundNode(), 201);
  EXPECT_TRUE(desk.Click(menus, "http://att2end/"));
  EXPECT_EQ(desk.log.calls, (Calls{"select att 2", "node report 102"}));
  EXPECT_TRUE(desk.Click(menus, "http:\\\\menu7end")) << "out of range: handled, nothing done";
  EXPECT_TRUE(desk.log.calls.empty());
  EXPECT_EQ(menus.FoundNode(), 0);
  ActionForGalleryReport gallery;
  EXPECT_FALSE(desk.Click(gallery, "http:\\\\menu1end"));
  EXPECT_TRUE(desk.log.calls.empty());
}

// The found node's page shows once, whichever page's action found it.
TEST(LinkActions, MenuAnalysisExpandsAndShowsTheFoundNode) {
  Desk desk;
  desk.doc.m_reportKind = 9;
  ActionForAnalize analysis;
  EXPECT_TRUE(desk.Click(analysis, "http:\\\\menu1end"));
  EXPECT_EQ(desk.log.calls, (Calls{"select menu 1 first", "node report 201"}));
  EXPECT_TRUE(desk.Click(analysis, "http:\\\\att2end"));
  EXPECT_EQ(desk.log.calls, (Calls{"select att 2", "node report 102"}));
}

TEST(LinkActions, ItemPopupRunsEachCommandOnEditableDatabase) {
  Desk desk;
  ActionForItemsReport items;
  struct Case {
    int command;
    Calls calls;
  } cases[] = {
      {kCmdFindItemInList, {"popup item rw", "list select 2"}},
      {kCmdItemDescription, {"popup item rw", "refresh list", "list select 2", "report 7 2 0"}},
      {kCmdDistinctive, {"popup item rw", "report 10 2 0"}},
      {kCmdEditItem, {"popup item rw", "list select 2", "edit item 2", "refresh list", "show report"}},
      {kCmdEditItemReferences, {"popup item rw", "list select 2", "edit references"}},
      {kCmdEditItemAttributes, {"popup item rw", "list select 2", "edit attributes"}},
      {0, {"popup item rw"}},
  };
  for (const auto& c : cases) {
    desk.view.answers = {c.command};
    EXPECT_TRUE(desk.Click(items, "http:\\\\item%202end"));
    EXPECT_EQ(desk.log.calls, c.calls) << c.command;
  }
  desk.view.answers = {kCmdToggleEliminated};
  desk.Click(items, "http:\\\\item%202end");
  EXPECT_EQ(desk.doc.m_itemStates[2], STATE_USER_ELIMINATED);
}

TEST(LinkActions, ItemPopupOnLockedDatabaseOffersViewingOnly) {
  Desk desk;
  desk.doc.m_header.lockWord = 0;
  ActionFindMenuAndItem action;
  desk.view.answers = {kCmdEditItem};
  EXPECT_TRUE(desk.Click(action, "http:\\\\item%201end"));
  EXPECT_EQ(desk.log.calls, Calls{"popup item ronly"}) << "an editing answer is ignored";
}

TEST(LinkActions, ItemLinksOutOfRangeDeletedOrWithoutEndDoNothing) {
  Desk desk;
  desk.doc.m_itemStates[1] = STATE_FREE;
  ActionForItemsReport items;
  for (const char* raw : {"http:\\\\item%205", "http:\\\\item%203end", "http:\\\\item%201end",
                          "http:\\\\item%2099999999999999end", "http:\\\\limage%209end"}) {
    EXPECT_TRUE(desk.Click(items, raw)) << raw;
    EXPECT_TRUE(desk.log.calls.empty()) << raw;
  }
}

TEST(LinkActions, SetAttributeForAllRespectsLockAndMarksModified) {
  Desk desk;
  ActionForItemsReport items;
  EXPECT_TRUE(desk.Click(items, "http:\\\\setattall1end"));
  EXPECT_EQ(desk.log.calls, Calls{"set all 1"});
  EXPECT_TRUE(desk.doc.IsModified());
  desk.doc.SetModifiedFlag(false);
  desk.tree.changes = false;
  desk.Click(items, "http:\\\\clearattall2end");
  EXPECT_EQ(desk.log.calls, Calls{"clear all 2"});
  EXPECT_FALSE(desk.doc.IsModified()) << "nothing changed";
  desk.doc.m_header.lockWord = 0;
  desk.tree.changes = true;
  EXPECT_TRUE(desk.Click(items, "http:\\\\setattall1end"));
  EXPECT_TRUE(desk.log.calls.empty());
  EXPECT_FALSE(desk.doc.IsModified());
}

TEST(LinkActions, OrderOfTrialIsByWordNotBySubstring) {
  Desk desk;
  // Menu links first: "setattall" is its own word, never an attribute link.
  ActionFindMenuAndItem both;
  desk.Click(both, "http:\\\\setattall1end");
  EXPECT_EQ(desk.log.calls, Calls{"set all 1"});
  ActionForItemsReport items;
  desk.Click(items, "http:\\\\next0end");
  EXPECT_EQ(desk.log.calls, Calls{"report 3 -1 2"});
  desk.Click(items, "http:\\\\att0end");
  EXPECT_EQ(desk.log.calls, (Calls{"select att 0", "node report 100"}));
}

TEST(LinkActions, NextAndMovePageThroughTheirReports) {
  Desk desk;
  ActionForGalleryReport gallery;
  gallery.m_kind = 4;
  desk.Click(gallery, "http:\\\\next1end");
  EXPECT_EQ(desk.log.calls, Calls{"report 4 -1 2"});
  gallery.m_kind = 12;
  desk.Click(gallery, "http:\\\\next1end");
  EXPECT_EQ(desk.log.calls, Calls{"report 12 -1 2"});
  ActionForMenuListRepotrt menus;
  desk.Click(menus, "http:\\\\next5end");
  EXPECT_EQ(desk.log.calls, Calls{"report 1 -1 2"});
  ActionForItemReport item;
  desk.Click(item, "http:\\\\move1end");
  EXPECT_EQ(desk.log.calls, (Calls{"report 7 1 2", "list select 1", "show report"}));
  desk.Click(item, "http:\\\\limage%200end");
  EXPECT_EQ(desk.log.calls, Calls{"report 7 0 0"});
}

TEST(LinkActions, RegionLinksSelectAndMark) {
  Desk desk;
  desk.tree.children = {{301, "Red"}, {302, "3|\tO'Hara's leg"}};
  ActionSelectRegion region(300);
  desk.view.answers = {kCmdMarkNo};
  EXPECT_TRUE(desk.Click(region, "qorattr:O%27Hara%27s%20leg"));
  EXPECT_EQ(desk.log.calls, (Calls{"children 300", "select node 302", "popup region", "region mark 3 302"}));
  EXPECT_TRUE(desk.Click(region, "qorattr:Red", true));
  EXPECT_EQ(desk.log.calls, (Calls{"children 300", "select node 301", "region mark 1 301"}));
  desk.view.answers = {kCmdMarkOr};
  desk.Click(region, "qorattr:Nobody");
  EXPECT_EQ(desk.log.calls, (Calls{"children 300", "select node 0", "popup region"}));
  desk.view.answers = {};
  desk.Click(region, "qorattr:Red");
  EXPECT_EQ(desk.log.calls, (Calls{"children 300", "select node 301", "popup region"})) << "popup closed";
  EXPECT_FALSE(desk.Click(region, "http://example.org/")) << "other links reach the browser";
}

TEST(LinkActions, ExternalLinksOpenWebAddressesAndOnlySafeDatabaseFiles) {
  Desk desk;
  ReportAction base;
  EXPECT_TRUE(desk.Click(base, "qorlink:http://www.movebank.org/"));
  for (const char* web : {"qorlink:HTTPS://example.org/a?b=1", "qorlink:mailto:a@b.c"}) desk.Click(base, web);
  EXPECT_EQ(desk.ui.opened,
            (std::vector<std::string>{"http://www.movebank.org/", "HTTPS://example.org/a?b=1", "mailto:a@b.c"}));
  desk.folder.Write("my notes.txt");
  desk.Click(base, "qorlink:my%20notes.txt");
  ASSERT_EQ(desk.ui.opened.size(), 4u);
  EXPECT_NE(desk.ui.opened.back().find("my%20notes.txt"), std::string::npos);
  EXPECT_EQ(desk.ui.opened.back().rfind("file://", 0), 0u);
  desk.folder.Write("run.desktop");
  desk.folder.Write("tool.exe");
  for (const char* refused : {"qorlink:run.desktop", "qorlink:tool.exe", "qorlink:../birds.qor", "qorlink:/etc/passwd",
                              "qorlink:missing.txt"})
    desk.Click(base, refused);
  EXPECT_EQ(desk.ui.opened.size(), 4u);
  EXPECT_EQ(desk.ui.Messages().size(), 5u);
  EXPECT_EQ(desk.ui.Messages()[0].rfind("Error running External Link [", 0), 0u);
  EXPECT_FALSE(desk.Click(base, "http://www.movebank.org/")) << "a plain web link is the browser's";
}

TEST(LinkActions, AFailedFileLinkNamesTheResolvedFileAndAPlainReason) {
  Desk desk;
  ReportAction base;
  desk.folder.Write("ladybird.htm");
  desk.ui.openFails = true;
  desk.Click(base, "qorlink:.\\ladybird.htm");
  desk.Click(base, "qorlink:http://example.org/");
  const std::string file = (desk.folder.path() / "ladybird.htm").lexically_normal().string();
  EXPECT_EQ(desk.ui.Messages(),
            (std::vector<std::string>{
                "Error running External Link [" + file + "]\nNo program on this computer opens this file.",
                "Error running External Link [http://example.org/]\nNo program on this computer opens this address."}));
}

TEST(LinkActions, ExternalLinksOfOtherSchemesNeverReachTheDesktop) {
  Desk desk;
  ReportAction base;
  const char* const foreign[] = {"qorlink:file:///bin/sh",       "qorlink:file:///etc/passwd",
                                 "qorlink:smb://host/share",     "qorlink:ftp://example.org/",
                                 "qorlink:vnd.launcher:run?x=1", "qorlink:javascript:alert(1)"};
  for (const char* address : foreign) EXPECT_TRUE(desk.Click(base, address)) << address;
  EXPECT_TRUE(desk.ui.opened.empty());
  ASSERT_EQ(desk.ui.Messages().size(), std::size(foreign));
  for (const auto& message : desk.ui.Messages()) EXPECT_EQ(message.rfind("Error running External Link [", 0), 0u);
}

TEST(LinkActions, ExternalLinksRefuseExecutableFilesAndLinksLeadingOut) {
  Desk desk;
  ReportAction base;
  namespace fs = std::filesystem;
  const fs::path script = desk.folder.Write("notes");
  fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
  fs::create_symlink("/etc/passwd", desk.folder.path() / "passwd.txt");
  desk.folder.Write("inner.txt");
  fs::create_symlink(desk.folder.path() / "inner.txt", desk.folder.path() / "alias.txt");
  fs::create_directories(desk.folder.path() / "sub");
  for (const char* refused : {"qorlink:notes", "qorlink:passwd.txt", "qorlink:sub", "qorlink:", "qorlink:C:/x.txt"})
    desk.Click(base, refused);
  EXPECT_TRUE(desk.ui.opened.empty());
  EXPECT_EQ(desk.ui.Messages().size(), 5u);
  desk.Click(base, "qorlink:alias.txt");
  EXPECT_EQ(desk.ui.opened.size(), 1u) << "a link to a file of the folder itself is fine";
}

TEST(LinkActions, HelpAndImageLinksRefuseEscapes) {
  Desk desk;
  SetProgramFile(desk.folder.path() / "bin" / "qor");
  desk.folder.Write("bin/hlp/help.htm", "<p>help</p>");
  ReportAction base;
  EXPECT_TRUE(desk.Click(base, "qorlink:help//help.htm#ExportDialog"));
  ASSERT_EQ(desk.help.windows.size(), 1u);
  EXPECT_NE(desk.help.windows[0].find("/bin/hlp/help.htm#ExportDialog"), std::string::npos);
  for (const char* escape : {"qorlink:help//../../etc/passwd", "qorlink:image///etc/passwd",
                             "qorlink:help///etc/passwd", "qorlink:image//..\\..\\hlp\\help.htm"})
    EXPECT_TRUE(desk.Click(base, escape));
  EXPECT_EQ(desk.help.windows.size(), 1u);
  EXPECT_EQ(desk.ui.Messages().size(), 4u);
  EXPECT_EQ(desk.ui.Messages()[0], "Can't find help file : ../../etc/passwd");
  SetProgramFile({});
}
