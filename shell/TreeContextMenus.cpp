#include "shell/TreeContextMenus.h"

namespace {

using Entries = std::vector<ContextMenuEntry>;

const ContextMenuEntry kSeparator{nullptr, 0};

const Entries kEditable[kPopupCount] = {
    {{"Report", 32782}, {"Edit", 32783}},
    {{"View/Print Menu", 32800},
     {"Add submenu", 32776},
     {"Add attribute menu", 32811},
     {"Expand menu tree", 32837},
     {"Expand attribute menus", 32838},
     {"Edit", 32784}},
    {{"View image/description", 32806}, {"Insert", 32781}},
    {{"View image/description", 32801}, {"Insert", 32786}},
    {{"View image/description", 32802}},
    {{"Delete", 32779},
     {"Edit", 32784},
     {"Add submenu", 32776},
     {"Add attribute menu", 32811},
     {"Expand menu tree", 32837},
     {"Expand attribute menus", 32838}},
    {{"View image/description", 32793}, {"Edit", 32785}, {"Insert", 32781}, {"Delete", 32778}},
    {{"Toggle eliminated", 32817},
     {"Distinctive attributes", 32818},
     {"Edit item description", 32795},
     {"Edit item attributes", 32841},
     {"Edit item regions", 32895},
     {"Edit item references", 32861},
     {"Insert", 32786},
     {"Delete", 32787},
     {"Duplicate", 32897}},
    {{"Toggle selected", 32903}},
    {{"Mark Yes", 32796},
     {"Mark Or", 32799},
     {"Mark No", 32797},
     {"Mark Never", 32798},
     {"Mark Only", 32809},
     {"Mark Clear", 32808},
     kSeparator,
     {"Edit", 32803},
     {"Delete", 32804},
     {"Insert", 32805},
     {"Edit Region", 32893}},
    {{"Edit", 32784}, {"Delete", 32779}, {"Insert attribute", 32805}, {"Sort", 32892}, {"Edit Region", 32893}},
    {{"View image/description", 32800}, {"Add attribute", 32805}, {"Edit", 32784}},
};

const Entries kLocked[kPopupCount] = {
    {{"Report", 32782}},
    {{"View image/description", 32800}, {"Expand menu tree", 32837}, {"Expand attribute menus", 32838}},
    {{"View image/description", 32806}},
    {{"View image/description", 32801}},
    {{"View image/description", 32802}},
    {{"View/Print menu", 32792}, {"Expand menu tree", 32837}, {"Expand attribute menus", 32838}},
    {{"View image/description", 32793}},
    {{"Toggle eliminated", 32817}, {"Distinctive attributes", 32818}},
    {{"Toggle selected", 32903}},
    {{"Mark Yes", 32796}, {"Mark Or", 32799}, {"Mark No", 32797}, {"Mark Clear", 32808}},
    {{"View image/description", 32792}, {"Select using image", 32894}},
    {{"View image/description", 32800}},
};

const char* const kNames[kPopupCount] = {
    "DB Description", "MenuMain", "MainReference", "MainItems", "MainQOR",        "Menu",
    "References",     "Items",    "QOR",           "Attribute", "MenuAttributes", "MenuMainAttribute"};

}  // namespace

const char* ContextPopupName(int popup) { return popup >= 0 && popup < kPopupCount ? kNames[popup] : ""; }

const std::vector<ContextMenuEntry>& ContextPopupEntries(int popup, bool editable) {
  static const Entries none;
  if (popup < 0 || popup >= kPopupCount) return none;
  return editable ? kEditable[popup] : kLocked[popup];
}
