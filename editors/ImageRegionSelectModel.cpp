#include "editors/ImageRegionSelectModel.h"

#include <algorithm>

#include "editors/RegionPicturePath.h"
#include "platform/Ui.h"

namespace {
int Wrap(int index, int count) { return count == 0 ? -1 : (index % count + count) % count; }
}  // namespace

ImageRegionSelectModel::ImageRegionSelectModel(IRegionSelectOwner* owner) : m_owner(owner) {
  m_control.SetUsage(USAGE_SELECT);
}

void ImageRegionSelectModel::Init() {
  if (!menus.empty()) LoadMenu(0, 0);
}

MenuRegionAttributes* ImageRegionSelectModel::Current() {
  return m_menu >= 0 && m_menu < static_cast<int>(menus.size()) ? &menus[m_menu] : nullptr;
}

const MenuRegionAttributes* ImageRegionSelectModel::Current() const {
  return const_cast<ImageRegionSelectModel*>(this)->Current();
}

std::string ImageRegionSelectModel::PicturePath() const {
  const MenuRegionAttributes* menu = Current();
  return menu ? menu->picturePath : std::string();
}

void ImageRegionSelectModel::LoadMenu(int menu, int row) {
  m_menu = menu >= 0 && menu < static_cast<int>(menus.size()) ? menu : -1;
  m_control.ClearRegions();
  // Outlines of the menu shown before must not reappear on this picture.
  m_control.ClearSelection();
  m_focusedRow = -1;
  const MenuRegionAttributes* current = Current();
  if (!current) return;
  if (IsRegionPicturePath(current->picturePath)) ReadMenuRegions(current->picturePath);
  for (const RegionAttribute& attribute : current->attributes)
    m_control.SetRegionSelected(attribute.name, attribute.selected != 0);
  FocusRow(row);
}

void ImageRegionSelectModel::ReadMenuRegions(const std::string& picturePath) {
  const std::string path = RegionsPathOf(picturePath);
  std::string reason;
  if (ReadRegions(path, m_control.Regions(), reason)) return;
  // Item steps reload the menu: the same file is told of once.
  if (std::find(m_refusedFiles.begin(), m_refusedFiles.end(), path) != m_refusedFiles.end()) return;
  m_refusedFiles.push_back(path);
  platform::Ui().ShowMessage(RegionFileRefusedText(path, reason), {}, platform::MessageIcon::Warning);
}

void ImageRegionSelectModel::NextMenu() {
  if (!menus.empty()) LoadMenu(Wrap(m_menu + 1, static_cast<int>(menus.size())));
}

void ImageRegionSelectModel::PreviousMenu() {
  if (!menus.empty()) LoadMenu(Wrap(m_menu - 1, static_cast<int>(menus.size())));
}

int ImageRegionSelectModel::RowCount() const {
  const MenuRegionAttributes* menu = Current();
  return menu ? static_cast<int>(menu->attributes.size()) : 0;
}

const std::string& ImageRegionSelectModel::RowText(int row) const {
  static const std::string none;
  return row >= 0 && row < RowCount() ? Current()->attributes[row].name : none;
}

bool ImageRegionSelectModel::RowChecked(int row) const {
  return row >= 0 && row < RowCount() && Current()->attributes[row].selected != 0;
}

void ImageRegionSelectModel::FocusRow(int row) {
  if (row >= 0 && row < RowCount())
    m_focusedRow = row;
  else
    m_focusedRow = RowCount() > 0 ? 0 : -1;
}

void ImageRegionSelectModel::SetChoice(int row, bool selected) {
  RegionAttribute& attribute = Current()->attributes[row];
  attribute.selected = selected ? 1 : 0;
  m_control.SetRegionSelected(attribute.name, selected);
  m_focusedRow = row;
  m_dirty = true;
}

bool ImageRegionSelectModel::SetRowChecked(int row, bool checked) {
  if (row < 0 || row >= RowCount() || RowChecked(row) == checked) return false;
  SetChoice(row, checked);
  return true;
}

void ImageRegionSelectModel::CheckSelectedItems(bool check) { SetRowChecked(m_focusedRow, check); }

int ImageRegionSelectModel::GetSelectedAttribute() const {
  if (m_focusedRow < 0 || m_focusedRow >= RowCount()) return -1;
  return Current()->attributes[m_focusedRow].attribute;
}

bool ImageRegionSelectModel::ClickPicture() {
  const std::string& hovered = m_control.GetHoveredId();
  if (hovered.empty()) return false;
  for (int row = 0; row < RowCount(); ++row) {
    if (Current()->attributes[row].name != hovered) continue;
    SetChoice(row, !RowChecked(row));
    return true;
  }
  return false;
}

void ImageRegionSelectModel::Send(RegionSelectRequest request) {
  if (!m_owner) return;
  if (request != REQUEST_NEXT && request != REQUEST_PREVIOUS) m_changesApplied = true;
  m_owner->OnRegionSelectRequest(request, *this);
}

void ImageRegionSelectModel::StepItem(RegionSelectRequest request) {
  const int menu = m_menu;
  const int row = m_focusedRow < 0 ? 0 : m_focusedRow;
  if (m_dirty) {
    Send(REQUEST_STORE);
    m_dirty = false;
  }
  Send(request);
  // The owner has refilled the menus for the new item.
  LoadMenu(menu < 0 ? 0 : menu, row);
}

std::vector<RegionAttribute> ImageRegionSelectModel::MarkingChoices() const {
  std::vector<RegionAttribute> choices;
  for (const MenuRegionAttributes& menu : menus)
    choices.insert(choices.end(), menu.attributes.begin(), menu.attributes.end());
  return choices;
}
