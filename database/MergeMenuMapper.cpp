#include "database/MergeMenuMapper.h"

#include "database/MenuPath.h"
#include "database/MergeTexts.h"
#include "database/ZAVDoc.h"

namespace {
constexpr int kAddStep = -1;
constexpr int kConflictStep = -2;
}  // namespace

MenuPathMapper::MenuPathMapper(CZAVDoc& target, const CZAVDoc& source)
    : m_target(target), m_source(source), m_done(source.MenuCount()) {}

MenuPathMapper::Mapping MenuPathMapper::Map(int sourceMenu) {
  if (sourceMenu < 0 || sourceMenu >= static_cast<int>(m_done.size())) return {};
  std::optional<Mapping>& done = m_done[sourceMenu];
  if (!done) {
    const auto path = GetMenuPath(m_source, sourceMenu);
    done = path && !path->empty() ? Walk(*path) : Mapping{};
  }
  return *done;
}

MenuPathMapper::Mapping MenuPathMapper::Walk(const std::vector<int>& path) {
  // The whole path is checked before anything changes, so that a path that
  // meets another kind leaves the receiving menus as they were.
  std::vector<int> found;
  int current = 0;
  for (int sourceMenu : path) {
    const int step = FindStep(current, sourceMenu);
    if (step == kConflictStep) return {-1, true};
    if (step == kAddStep) break;
    found.push_back(step);
    current = step;
  }
  const std::size_t addedFrom = found.size();
  for (std::size_t at = addedFrom; at < path.size(); ++at) {
    const CQMenudata& from = m_source.GetMenu(path[at]);
    const BYTE parentKind = at == 0 ? m_target.GetMenu(0).kind : m_source.GetMenu(path[at - 1]).kind;
    if (parentKind != MENU_OF_MENUS || from.kind == MENU_FREE) return {-1, true};
  }
  // Below a top menu the receiving database has, every menu on the path
  // joins its texts with the incoming ones, found or added; a path whose top
  // menu is new is copied with its texts as they are.
  const bool joinTexts = addedFrom > 0;
  current = 0;
  for (std::size_t at = 0; at < path.size(); ++at) {
    const CQMenudata& from = m_source.GetMenu(path[at]);
    if (at < addedFrom) {
      current = found[at];
    } else {
      current = m_target.AddMenu(from.title, current, from.kind);
      if (!joinTexts) {
        m_target.GetMenu(current).helpText = from.helpText;
        m_target.GetMenu(current).pictures = from.pictures;
        continue;
      }
    }
    MergeHelpText(m_target.GetMenu(current).helpText, from.helpText);
    MergePictureList(m_target.GetMenu(current).pictures, from.pictures);
  }
  return {current, false};
}

int MenuPathMapper::FindStep(int targetMenu, int sourceMenu) const {
  const CQMenudata& from = m_source.GetMenu(sourceMenu);
  const CQMenudata& parent = m_target.GetMenu(targetMenu);
  // Only a menu of menus has menus below it: below anything else the path
  // cannot go on without mixing kinds.
  if (parent.kind != MENU_OF_MENUS || from.kind == MENU_FREE) return kConflictStep;
  bool otherKind = false;
  for (WORD child : parent.children) {
    if (child >= m_target.MenuCount()) continue;
    const CQMenudata& candidate = m_target.GetMenu(child);
    if (candidate.kind == MENU_FREE || candidate.title != from.title) continue;
    if (candidate.kind == from.kind) return child;
    otherKind = true;
  }
  return otherKind ? kConflictStep : kAddStep;
}
