// The tree's road into the region dialogs: OR marks placed through a menu
// picture's regions, and the author's "Edit Region" on an attribute menu.
#pragma once

class CLeftView;

void InstallRegionCommands(CLeftView& view);
