#include "editors/AttributeEditorForm.h"

#include "database/ZAVDoc.h"
#include "editors/FieldChecks.h"
#include "editors/ItemForm.h"

AttributeEditorForm AttributeEditorForm::Load(const CZAVDoc& doc, int attribute) {
  AttributeEditorForm form;
  if (attribute < 0) return form;
  const CQAttdata& record = doc.GetAttribute(attribute);
  form.name = record.name;
  form.helpText = record.helpText;
  form.pictures = editors::PictureNames(record.pictures);
  return form;
}

void AttributeEditorForm::Check() const {
  // The limit is the name's alone: the picture list may be as long as it needs.
  editors::CheckField(kNameField, [&] {
    editors::CheckMaxCharacters(name, kMaxAttributeNameLength);
    editors::CheckNotEmpty(name, "Attribute name is empty.");
  });
}

int AttributeEditorForm::Store(CZAVDoc& doc, int attribute, int parent) const {
  Check();
  std::string pictureText = NormalizePictureList(editors::PictureTextOf(pictures));
  if (attribute < 0) {
    TrimSpaces(pictureText);
    attribute = doc.AddAttribute(name, parent);
  }
  CQAttdata& record = doc.GetAttribute(attribute);
  record.name = name;
  record.helpText = helpText;
  record.pictures = pictureText;
  return attribute;
}
