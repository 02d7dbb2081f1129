// The region editor without its window: one list row per attribute of a
// menu, checked when the attribute has a region on the menu's picture.
// Checking a row binds the shape just drawn to the attribute, unchecking
// removes its region; OK rewrites the picture's ".regions" file.
#pragma once

#include <string>
#include <vector>

#include "editors/ImageRegionCtrlState.h"
#include "editors/RegionPicturePath.h"

class ImageRegionEditorModel {
 public:
  // Filled by the caller before Init.
  std::vector<std::string> attributeNames;  // in the order of the menu's child list
  std::string picturePath;                  // full path of the menu's first picture
  std::string menuTitle;
  std::string keyFolder;  // the database's folder: no write leaves it (empty: the picture's folder)

  ImageRegionEditorModel();

  // Reads the regions beside the picture and checks the rows whose names
  // equal a region id exactly. A region file that is refused (no plain file
  // of the picture's folder, too large, too many regions) is named in a
  // message with the reason, and the editor turns read-only so that OK
  // cannot replace it.
  void Init();
  ImageRegionCtrlState& Control() { return m_control; }
  const ImageRegionCtrlState& Control() const { return m_control; }
  bool IsReadOnly() const { return !IsRegionPicturePath(picturePath) || m_regionsRefused; }
  // The region file was refused when it was read.
  bool RegionsRefused() const { return m_regionsRefused; }
  std::string RegionsPath() const { return RegionsPathOf(picturePath); }

  int RowCount() const { return static_cast<int>(attributeNames.size()); }
  bool RowChecked(int row) const;
  // Region ids that name no attribute: drawn and saved, but without a row.
  std::vector<std::string> OrphanIds() const;

  // The user changed a row's check box; returns the state the box must
  // show: a check without a finished shape (or in a read-only editor) does not hold.
  bool SetRowChecked(int row, bool checked);
  // The selected row's region is outlined with the highlight pen.
  void SelectRow(int row);

  // Writes "testRegions.html" (the map of the file as it stands) into the
  // current folder, then the region file. A failed write shows "Couldn't
  // create the file!" and abandons OK with the old file intact. A read-only
  // editor writes nothing.
  void Ok();

 private:
  bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
  bool HasRow(const std::string& name) const;
  // The first row whose attribute name equals the region id, letter case
  // ignored; -1 when none does.
  int RowOf(const std::string& id) const;

  ImageRegionCtrlState m_control;
  std::vector<bool> m_checked;
  bool m_regionsRefused = false;
};
