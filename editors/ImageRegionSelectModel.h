// The region-selection dialog without its window: the pictures of one or
// more attribute menus, a list of each menu's attributes with check boxes,
// and clicks on the picture that toggle the attribute under the mouse. The
// choices are the selected fields of the menus' region attributes.
#pragma once

#include <string>
#include <vector>

#include "database/RegionAttributes.h"
#include "editors/ImageRegionCtrlState.h"
#include "editors/RegionSelectOwner.h"

class ImageRegionSelectModel {
 public:
  // Filled by the owner before Init and, on item steps, while it runs.
  std::vector<MenuRegionAttributes> menus;
  bool navigation = false;  // item steps, Mark All and Clear All offered
  int currentItem = -1;     // kept for the owner

  explicit ImageRegionSelectModel(IRegionSelectOwner* owner = nullptr);

  void Init();
  ImageRegionCtrlState& Control() { return m_control; }
  const ImageRegionCtrlState& Control() const { return m_control; }
  void SetTitle(const std::string& title) { m_title = title; }
  const std::string& Title() const { return m_title; }

  // ---- menus ------------------------------------------------------------
  int CurrentMenu() const { return m_menu; }
  // The picture of the current menu; empty when there is no menu.
  std::string PicturePath() const;
  // Shows menu i with row r focused: its regions, its rows, its selected
  // outlines. A region file that is refused shows no regions and is named in
  // a message, once a dialog.
  void LoadMenu(int menu, int row = 0);
  void NextMenu();
  void PreviousMenu();

  // ---- the list of the current menu's attributes ----------------------------
  int RowCount() const;
  const std::string& RowText(int row) const;
  bool RowChecked(int row) const;
  int FocusedRow() const { return m_focusedRow; }
  void FocusRow(int row);
  // The user checked or unchecked a row; true when a choice changed.
  bool SetRowChecked(int row, bool checked);
  // Checks or unchecks the focused row as the user would (after Mark/Clear All).
  void CheckSelectedItems(bool check);
  // The attribute index of the focused row, -1 without one.
  int GetSelectedAttribute() const;

  // A release on the picture: flips the attribute whose name is the hovered
  // id exactly; true when a choice changed.
  bool ClickPicture();

  // ---- item steps and the owner ------------------------------------------------
  void Next() { StepItem(REQUEST_NEXT); }
  void Previous() { StepItem(REQUEST_PREVIOUS); }
  void MarkAll() { Send(REQUEST_MARK_ALL); }
  void ClearAll() { Send(REQUEST_CLEAR_ALL); }
  // Choices changed since the last store request.
  bool Dirty() const { return m_dirty; }
  // The owner stored or marked something during the run: even after Cancel
  // the document must be evaluated again and the views refreshed.
  bool ChangesApplied() const { return m_changesApplied; }

  // Every region attribute of every menu with its choice, for one OR group
  // of marks in the tree (the unselected ones lose their OR marks).
  std::vector<RegionAttribute> MarkingChoices() const;

 private:
  MenuRegionAttributes* Current();
  const MenuRegionAttributes* Current() const;
  void StepItem(RegionSelectRequest request);
  void Send(RegionSelectRequest request);
  void SetChoice(int row, bool selected);

  void ReadMenuRegions(const std::string& picturePath);

  ImageRegionCtrlState m_control;
  IRegionSelectOwner* m_owner;
  std::vector<std::string> m_refusedFiles;  // told to the user already
  std::string m_title;
  int m_menu = -1;
  int m_focusedRow = -1;
  bool m_dirty = false;
  bool m_changesApplied = false;
};
