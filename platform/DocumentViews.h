// What the document calls on the views of its frame. The GUI implements
// these; core tests install recording fakes.
#pragma once

#include <memory>
#include <string>

class ReportAction;

// The HTML view (right pane).
class IHtmlView {
 public:
  virtual ~IHtmlView() = default;
  // Loads a finished page; the view takes the link action that serves it.
  virtual void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) = 0;
};

// The tree of menus, attributes and references (top left).
class ILeftView {
 public:
  virtual ~ILeftView() = default;
  // Recounts the per-attribute candidate counts and redraws the labels.
  virtual void RefreshTree() = 0;
};

// The item list (bottom left).
class IItemListView {
 public:
  virtual ~IItemListView() = default;
  virtual void FillList() = 0;
};
