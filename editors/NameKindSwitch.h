// Turning a kind of item names (common, scientific) on or off rewrites the
// name tables of every item in use: names of a kind turned off are deleted,
// a kind turned on gives every item a default name ("name"; "species" in
// the genus "genus" of the family " ").
#pragma once

#include "editors/NameKinds.h"

class CZAVDoc;

namespace editors {

// Items whose name index or species index is set.
int CountItemsInUse(const CZAVDoc& document);

// Asks before names are deleted ("Disabling ... Do you wish to continue?"),
// scientific first; false when the user answered No to one of them.
bool ConfirmNameKindSwitch(const NameKinds& before, const NameKinds& after);

// The notices about the default names, then the rewrite of the tables.
// Does nothing when no item is in use or no kind changed.
void SwitchNameKinds(CZAVDoc& document, const NameKinds& before, const NameKinds& after);

}  // namespace editors
