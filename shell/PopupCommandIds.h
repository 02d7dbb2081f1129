// The command numbers of the tree's and the item list's popup entries, in
// one place for the popup tables, the views that handle them and the tests.
#pragma once

namespace popup_cmd {

// Tree: menus, attributes and references.
inline constexpr int kAddSubmenu = 32776;
inline constexpr int kDeleteReference = 32778;
inline constexpr int kDeleteMenu = 32779;
inline constexpr int kInsertReference = 32781;
inline constexpr int kEditDatabaseDescription = 32783;
inline constexpr int kEditMenu = 32784;
inline constexpr int kEditReference = 32785;
inline constexpr int kEditAttribute = 32803;
inline constexpr int kDeleteAttribute = 32804;
inline constexpr int kInsertAttribute = 32805;
inline constexpr int kAddAttributeMenu = 32811;
inline constexpr int kExpandMenuTree = 32837;
inline constexpr int kExpandAttributeMenus = 32838;
inline constexpr int kSetForAllItems = 32851;
inline constexpr int kClearForAllItems = 32852;
inline constexpr int kSortMenu = 32892;
inline constexpr int kEditRegion = 32893;

// Item list and the item-link popup.
inline constexpr int kInsertItem = 32786;
inline constexpr int kListDelete = 32787;
inline constexpr int kEditItemDescription = 32795;
inline constexpr int kListDistinctive = 32818;
inline constexpr int kListEditAttributes = 32841;
inline constexpr int kListEditReferences = 32861;
inline constexpr int kEditItemRegions = 32895;
inline constexpr int kListDuplicate = 32897;

}  // namespace popup_cmd
