#include "editors/ImageRegionEditorModel.h"

#include <algorithm>
#include <filesystem>

#include "database/KeyFolderWriter.h"
#include "database/TextCodec.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"

namespace {
const char* const kDebugMapFile = "testRegions.html";
}

ImageRegionEditorModel::ImageRegionEditorModel() { m_control.SetUsage(USAGE_EDIT); }

void ImageRegionEditorModel::Init() {
  m_checked.assign(attributeNames.size(), false);
  m_control.ClearRegions();
  m_regionsRefused = false;
  if (IsReadOnly()) return;
  if (std::string reason; !ReadRegions(RegionsPath(), m_control.Regions(), reason)) {
    m_regionsRefused = true;
    platform::Ui().ShowMessage(RegionFileRefusedText(RegionsPath(), reason), {}, platform::MessageIcon::Warning);
    return;
  }
  // A region file written with other letter case still checks its rows.
  const RegionSet& regions = m_control.Regions();
  for (const auto* ids : {&regions.polygonIds, &regions.rectangleIds})
    for (const std::string& id : *ids)
      if (const int row = RowOf(id); row >= 0) m_checked[row] = true;
}

int ImageRegionEditorModel::RowOf(const std::string& id) const {
  for (int row = 0; row < RowCount(); ++row)
    if (CompareNoCase(attributeNames[row], id) == 0) return row;
  return -1;
}

bool ImageRegionEditorModel::RowChecked(int row) const { return ValidRow(row) && m_checked[row]; }

bool ImageRegionEditorModel::HasRow(const std::string& name) const { return RowOf(name) >= 0; }

std::vector<std::string> ImageRegionEditorModel::OrphanIds() const {
  std::vector<std::string> orphans;
  const RegionSet& regions = m_control.Regions();
  for (const auto* ids : {&regions.polygonIds, &regions.rectangleIds})
    for (const std::string& id : *ids)
      if (!HasRow(id)) orphans.push_back(id);
  return orphans;
}

bool ImageRegionEditorModel::SetRowChecked(int row, bool checked) {
  if (!ValidRow(row)) return false;
  if (IsReadOnly() || checked == m_checked[row]) return m_checked[row];
  const std::string& name = attributeNames[row];
  if (checked) {
    m_checked[row] = m_control.AddCurrentRegion(name);
  } else {
    m_control.DeleteRegion(name);
    m_checked[row] = false;
  }
  return m_checked[row];
}

void ImageRegionEditorModel::SelectRow(int row) {
  if (ValidRow(row)) m_control.SetHighlightedRegion(attributeNames[row]);
}

void ImageRegionEditorModel::Ok() {
  if (IsReadOnly()) return;
  // The debug map shows the file before it is rewritten; it may fail quietly.
  std::error_code noFolder;
  const std::filesystem::path current = std::filesystem::current_path(noFolder);
  std::string ignored;
  KeyFolderWriter(current).WriteFile(current / kDebugMapFile, MakeImageMap(RegionsPath(), "MapName") + "\n",
                                     Replacing::Allowed, ignored);
  const std::filesystem::path folder =
      keyFolder.empty() ? std::filesystem::path(picturePath).parent_path() : std::filesystem::path(keyFolder);
  if (!WriteRegions(KeyFolderWriter(folder), RegionsPath(), m_control.Regions()))
    ThrowErrorMessage("Couldn't create the file!");
}
