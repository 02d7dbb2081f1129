// The fields of the item editor without its widgets: which form the name
// settings call for, what an item's fields hold when loaded, and the checks
// OK and the Next/Previous store run on them.
#pragma once

#include <string>
#include <vector>

class CZAVDoc;
struct CQDochdr;

namespace editors {

// The three forms of the item editor, by the database's name kinds.
enum class ItemForm {
  SpeciesOnly,       // scientific names alone: family, genus, species
  NameOnly,          // scientific names off: one name field
  SpeciesAndCommon,  // both: a common name above the scientific one
};

ItemForm GetItemForm(const CQDochdr& header);
bool ShowsNameField(ItemForm form);
bool ShowsScientificFields(ItemForm form);
// "Item Description" or "Species Description", the species level's own
// label put in place of "Species".
std::string ItemEditorCaption(ItemForm form, const std::string& speciesLabel);

struct ItemFields {
  std::string name;
  std::string family;
  std::string genus;
  std::string species;
  std::string description;  // the whole stored text, links part included
  std::string pictures;     // every name followed by ";"

  bool operator==(const ItemFields&) const = default;
};

// The fields of an existing item; a name the item has no link to stays empty.
ItemFields LoadItemFields(const CZAVDoc& document, int item);
// A stored picture list as the editor holds it: every name followed by ";".
std::string EditablePictureText(const std::string& stored);
// The names of a picture list text, split exactly at ";" (empty names dropped).
std::vector<std::string> PictureNames(const std::string& text);
// The text the editor stores for its picture rows: every name followed by ";".
std::string PictureTextOf(const std::vector<std::string>& names);

// The description as typed and its link lines ("name@$address") joined into
// the stored text; the error box when the typed text holds the links marker.
std::string JoinItemDescription(const std::string& typed, const std::vector<std::string>& linkLines);
// The stored text split into the typed description and its link lines.
void SplitItemDescription(const std::string& stored, std::string& typed, std::vector<std::string>& linkLines);

// The fields a failed check of the item editor names (FieldCheckFailed).
enum class ItemField { Name, Family, Genus, Species, Description };

// The checks of OK, in their order; each failure is the error box naming
// its field. The
// fields are trimmed as the checks go. forStep: the lighter checks of the
// store before Next and Previous (the name alone).
void CheckItemFields(const CZAVDoc& document, ItemFields& fields, bool forStep);

}  // namespace editors
