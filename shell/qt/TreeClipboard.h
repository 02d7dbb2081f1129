// The tree's Copy, Cut and Paste: a branch of menus goes to the system
// clipboard under the program's private type as the menu clipboard's
// bytes, so it can be pasted any number of times, into this database or
// another open one.
#pragma once

#include <QObject>

#include "shell/TreeNodes.h"

class CLeftView;

class CTreeClipboard : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kMimeType = "application/x-qor-menu";

  // Registers the three commands with the view, which owns this object.
  explicit CTreeClipboard(CLeftView& view);

  bool CanCopy() const;
  bool CanCut() const;
  bool CanPaste() const;
  void Copy();
  void Cut();
  void Paste();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The menu of the selected node when its kind is one of kinds, else -1.
  int SelectedMenu(std::initializer_list<int> kinds) const;
  void PutOnClipboard(const std::vector<std::uint8_t>& bytes) const;
  void ShowChange(HTREEITEM select);

  CLeftView& m_view;
};
