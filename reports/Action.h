// The link actions: what a click on a page link does. Each report page is
// served by one action; the view hands it every navigation but the opening
// page, and the action says whether the program handled it (the navigation
// is then cancelled) or leaves it to the browser.
//
// Contract with the view (CZAVView):
//  - OnNavigate is the one entry point. It takes the link's address as the
//    page wrote it (the href text caught by the page's click handler); the
//    normalised forms the browser makes of it are accepted too.
//  - The view keeps the current and the previous action. A handler may show
//    new pages (each replaces the view's actions), so the view must never
//    destroy an action while its handler runs: actions replaced meanwhile
//    are freed only after OnNavigate returns. ActionSlots does this.
#pragma once

#include <string>

#include "platform/DocumentViews.h"
#include "reports/LinkParser.h"

class CZAVDoc;

class ReportAction {
 public:
  ReportAction() = default;
  virtual ~ReportAction() = default;
  ReportAction(const ReportAction&) = delete;
  ReportAction& operator=(const ReportAction&) = delete;

  // Stores the navigation and runs Execute. shift: Shift was held at the click.
  bool OnNavigate(CZAVDoc& document, IHtmlView& view, const std::string& rawAddress, bool shift = false,
                  const std::string& postData = {});

  // The base forms: picture windows, help pages and external links.
  virtual bool Execute();

  int m_kind = 0;  // the report kind of the page served (set by CReport::Execute)
  std::string m_postData;

 protected:
  bool TryBaseLinks();
  CZAVDoc& Doc() const { return *m_document; }
  IHtmlView& View() const { return *m_view; }
  ILeftView* Tree() const;
  IItemListView* List() const;

  CZAVDoc* m_document = nullptr;
  IHtmlView* m_view = nullptr;
  std::string m_address;  // as delivered
  ParsedLink m_link;
  bool m_shift = false;
};

// Item links: the item popup, "setattall", "clearattall", "limage%20".
class ActionFindItem : public virtual ReportAction {
 public:
  bool Execute() override;

 protected:
  bool TryItemLinks();

 private:
  void RunItemPopup(int item);
  void SetAttributeForAll(bool set);
};

// Menu and attribute links: select the node in the tree and show its page.
class ActionFindMenuItem : public virtual ReportAction {
 public:
  bool Execute() override;
  TreeNodeHandle FoundNode() const { return m_foundNode; }

 protected:
  bool TryMenuLinks();
  TreeNodeHandle m_foundNode = 0;
};

class ActionForItemsReport : public ActionFindItem, public ActionFindMenuItem {
 public:
  bool Execute() override;
};

class ActionForItemReport : public ActionFindItem, public ActionFindMenuItem {
 public:
  bool Execute() override;
};

class ActionFindMenuAndItem : public ActionFindItem, public ActionFindMenuItem {
 public:
  bool Execute() override;
};

class ActionForGalleryReport : public ActionFindItem {
 public:
  bool Execute() override;
};

class ActionForMenuListRepotrt : public ActionFindMenuItem {
 public:
  bool Execute() override;
};

// The analysis page's: its menu links also put the menu at the top of the
// tree (the page's report kind decides that).
class ActionForAnalize : public ActionFindMenuItem {};

// Picture regions ("qorattr:" links of the image map) of one menu's picture.
class ActionSelectRegion : public ReportAction {
 public:
  explicit ActionSelectRegion(TreeNodeHandle menuNode = 0) : m_menuNode(menuNode) {}
  bool Execute() override;

 private:
  TreeNodeHandle FindRegionNode() const;
  TreeNodeHandle m_menuNode;
};
