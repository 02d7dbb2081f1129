// Finds or builds, in the receiving database of a merge, the menu that
// stands at the same path of titles as a menu of the incoming database.
#pragma once

#include <optional>
#include <vector>

class CZAVDoc;

class MenuPathMapper {
 public:
  struct Mapping {
    int menu = -1;          // the receiving menu, -1 when there is none
    bool conflict = false;  // a menu on the path has the title but another kind
  };

  MenuPathMapper(CZAVDoc& target, const CZAVDoc& source);

  // Walks the source menu's path down from the target's root: a step follows
  // a child of the same title and the same kind, or adds one; a step never
  // follows a menu of another kind, and such a path changes nothing. Below a
  // top menu found, each menu on the path joins the incoming help text and
  // pictures; a new top menu and everything below it takes them as they are.
  // Each source menu is walked once; later calls give the same answer.
  Mapping Map(int sourceMenu);

 private:
  Mapping Walk(const std::vector<int>& path);
  // The target child to follow for the source menu; -1 to add one, -2 on a conflict.
  int FindStep(int targetMenu, int sourceMenu) const;

  CZAVDoc& m_target;
  const CZAVDoc& m_source;
  std::vector<std::optional<Mapping>> m_done;  // per source menu
};
