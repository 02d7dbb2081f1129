#include "editors/ItemForm.h"

#include "database/ExternalLinks.h"
#include "database/LevelNames.h"
#include "database/PictureList.h"
#include "database/Records.h"
#include "database/ZAVDoc.h"
#include "editors/FieldChecks.h"
#include "editors/LinkTextChecks.h"
#include "platform/ErrorBox.h"

namespace editors {

namespace {

std::string NameAt(const std::vector<std::unique_ptr<CQItemname>>& names, int index) {
  return IsValidIndex(index, names.size()) ? names[index]->name : std::string();
}

std::string TextAt(const std::vector<std::string>& table, int index) {
  return IsValidIndex(index, table.size()) ? table[index] : std::string();
}

bool CustomLevelNamesInUse(const CZAVDoc& document) { return document.m_levelNames && document.m_levelNames->inUse; }

// The message names the level as the form's label does.
void CheckNotBlank(std::string& text, const std::string& levelLabel) {
  TrimSpaces(text);
  if (text.empty()) ThrowErrorMessage(levelLabel + " is blank.");
}

}  // namespace

ItemForm GetItemForm(const CQDochdr& header) {
  if (!header.scientificNamesEnabled) return ItemForm::NameOnly;
  return header.commonNamesEnabled ? ItemForm::SpeciesAndCommon : ItemForm::SpeciesOnly;
}

bool ShowsNameField(ItemForm form) { return form != ItemForm::SpeciesOnly; }

bool ShowsScientificFields(ItemForm form) { return form != ItemForm::NameOnly; }

std::string ItemEditorCaption(ItemForm form, const std::string& speciesLabel) {
  if (form == ItemForm::NameOnly) return "Item Description";
  return (speciesLabel.empty() ? std::string("Species") : speciesLabel) + " Description";
}

ItemFields LoadItemFields(const CZAVDoc& document, int item) {
  ItemFields fields;
  if (item < 0 || item >= document.ItemCount()) return fields;
  const CQItemrec& record = document.GetItem(item);
  fields.name = NameAt(document.m_itemNames, record.nameIndex);
  fields.species = NameAt(document.m_speciesNames, record.speciesIndex);
  fields.genus = TextAt(document.m_genusNames, record.genusIndex);
  fields.family = TextAt(document.m_familyNames, record.familyIndex);
  fields.description = record.description;
  fields.pictures = EditablePictureText(record.pictures);
  return fields;
}

std::string EditablePictureText(const std::string& stored) { return PictureTextOf(PictureNames(stored)); }

std::vector<std::string> PictureNames(const std::string& text) {
  std::vector<std::string> names;
  SplitList(text, names);
  return names;
}

std::string PictureTextOf(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text.append(name).push_back(';');
  return text;
}

std::string JoinItemDescription(const std::string& typed, const std::vector<std::string>& linkLines) {
  CheckField(static_cast<int>(ItemField::Description), [&] { CheckDescriptionWithoutLinkMarker(typed); });
  std::string links;
  // Every line ends with its break: the reader takes only ended lines.
  for (const std::string& line : linkLines) links.append(line).append("\r\n");
  return JoinDescriptionAndLinks(typed, links);
}

void SplitItemDescription(const std::string& stored, std::string& typed, std::vector<std::string>& linkLines) {
  typed = GetDescriptionPart(stored);
  linkLines.clear();
  SplitLinks(GetLinksPart(stored), linkLines);
}

void CheckItemFields(const CZAVDoc& document, ItemFields& fields, bool forStep) {
  const ItemForm form = GetItemForm(document.m_header);
  // The names have no length limit: only blank names are refused.
  if (ShowsNameField(form)) {
    TrimSpaces(fields.name);
    if (!CustomLevelNamesInUse(document) && fields.name.empty())
      CheckField(static_cast<int>(ItemField::Name), [] { ThrowErrorMessage("Name is blank."); });
  }
  if (forStep || !ShowsScientificFields(form)) return;
  TrimSpaces(fields.family);
  if (!CustomLevelNamesInUse(document) && fields.family.empty())
    CheckField(static_cast<int>(ItemField::Family), [] { ThrowErrorMessage("Family is blank."); });
  CheckField(static_cast<int>(ItemField::Genus), [&] { CheckNotBlank(fields.genus, document.GetGenusLabel()); });
  CheckField(static_cast<int>(ItemField::Species), [&] { CheckNotBlank(fields.species, document.GetSpeciesLabel()); });
}

}  // namespace editors
