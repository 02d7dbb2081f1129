// Recording fakes of the GUI side for the report frame and link action
// tests, and a small document: three items, two menus, three attributes.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "database/ZAVDoc.h"
#include "fakes/FakeHelp.h"
#include "fakes/ScriptedUi.h"
#include "fakes/TempFolder.h"
#include "platform/DocumentViews.h"
#include "reports/Action.h"
#include "platform/ReportFactory.h"

namespace reportcore_test {

// Every call the actions make on the GUI side, as one line each.
struct CallLog {
  std::vector<std::string> calls;
  void Add(const std::string& call) { calls.push_back(call); }
};

class FakeHtmlView : public IHtmlView {
 public:
  explicit FakeHtmlView(CallLog& log) : m_log(log) {}
  void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) override {
    pages.push_back(html);
    actions.push_back(std::move(action));
    m_log.Add("page");
  }
  int PopupItemMenu(bool editable) override {
    m_log.Add(editable ? "popup item rw" : "popup item ronly");
    return Next();
  }
  int PopupRegionMenu() override {
    m_log.Add("popup region");
    return Next();
  }
  std::deque<int> answers;
  std::vector<std::string> pages;
  std::vector<std::unique_ptr<ReportAction>> actions;

 private:
  int Next() {
    if (answers.empty()) return 0;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  CallLog& m_log;
};

class FakeTree : public ILeftView {
 public:
  explicit FakeTree(CallLog& log) : m_log(log) {}
  void RefreshTree() override { m_log.Add("refresh tree"); }
  TreeNodeHandle SelectAttributeNode(int attribute) override {
    m_log.Add("select att " + std::to_string(attribute));
    return 100 + attribute;
  }
  TreeNodeHandle SelectMenuNode(int menu, bool firstVisible) override {
    m_log.Add("select menu " + std::to_string(menu) + (firstVisible ? " first" : ""));
    return 200 + menu;
  }
  void SelectNode(TreeNodeHandle node) override { m_log.Add("select node " + std::to_string(node)); }
  std::vector<std::pair<TreeNodeHandle, std::string>> ChildNodes(TreeNodeHandle node) override {
    m_log.Add("children " + std::to_string(node));
    return children;
  }
  void ShowNodeReport(TreeNodeHandle node) override { m_log.Add("node report " + std::to_string(node)); }
  void RefreshItemList() override { m_log.Add("refresh list"); }
  bool SetAttributeForAllItems(bool set, int attribute) override {
    m_log.Add(std::string(set ? "set" : "clear") + " all " + std::to_string(attribute));
    return changes;
  }
  void ApplyRegionMark(int mark, TreeNodeHandle node) override {
    m_log.Add("region mark " + std::to_string(mark) + " " + std::to_string(node));
  }
  std::vector<std::pair<TreeNodeHandle, std::string>> children;
  bool changes = true;

 private:
  CallLog& m_log;
};

class FakeList : public IItemListView {
 public:
  explicit FakeList(CallLog& log) : m_log(log) {}
  void FillList() override { m_log.Add("fill list"); }
  void SelectItem(int item) override { m_log.Add("list select " + std::to_string(item)); }
  bool EditItemDescription(int item) override {
    m_log.Add("edit item " + std::to_string(item));
    return editOk;
  }
  void EditItemReferences() override { m_log.Add("edit references"); }
  void EditItemAttributes() override { m_log.Add("edit attributes"); }
  bool editOk = true;

 private:
  CallLog& m_log;
};

class FakeFactory : public IReportFactory {
 public:
  explicit FakeFactory(CallLog& log) : m_log(log) { SetReportFactory(this); }
  ~FakeFactory() override { SetReportFactory(nullptr); }
  void RunReport(CZAVDoc&, int kind, int argument, int keepPage) override {
    m_log.Add("report " + std::to_string(kind) + " " + std::to_string(argument) + " " + std::to_string(keepPage));
  }

 private:
  CallLog& m_log;
};

using ::TempFolder;

// Items 0..2 ("Robin", "Jay", "Crow"), menus 0 (menus) and 1 (attributes
// 0 "Red", 1 "Blue", 2 "Long"), editable, saved at folder/birds.qor.
inline void FillSmallDatabase(CZAVDoc& doc, const std::filesystem::path& folder) {
  doc.m_pathName = (folder / "birds.qor").string();
  doc.m_header.lockWord = 1;
  for (const char* name : {"Red", "Blue", "Long"}) {
    auto attribute = std::make_unique<CQAttdata>();
    attribute->name = name;
    attribute->menuIndex = 1;
    doc.m_attributes.push_back(std::move(attribute));
    doc.m_marks.push_back(0);
  }
  auto root = std::make_unique<CQMenudata>();
  root->kind = MENU_OF_MENUS;
  root->title = "Birds";
  root->children = {1};
  doc.m_menus.push_back(std::move(root));
  auto colour = std::make_unique<CQMenudata>();
  colour->kind = MENU_OF_ATTRIBUTES;
  colour->parent = 0;
  colour->title = "Colour";
  colour->children = {0, 1, 2};
  doc.m_menus.push_back(std::move(colour));
  for (int i = 0; i < 3; ++i) doc.InsertItem(i, std::make_unique<CQItemrec>());
}

// A document with the fakes attached.
struct Desk {
  CallLog log;
  ScriptedUi ui;
  FakeHtmlView view{log};
  FakeTree tree{log};
  FakeList list{log};
  FakeFactory factory{log};
  FakeHelp help;
  TempFolder folder;
  CZAVDoc doc;
  Desk() {
    FillSmallDatabase(doc, folder.path());
    doc.AttachViews(&view, &tree, &list);
    SetReportFactory(&factory);  // the document installs the real pages
    doc.m_showReportHook = [this](bool) { log.Add("show report"); };
  }
  // Clicks the raw address on a page served by `action`.
  bool Click(ReportAction& action, const std::string& address, bool shift = false) {
    log.calls.clear();
    return action.OnNavigate(doc, view, address, shift);
  }
};

}  // namespace reportcore_test
