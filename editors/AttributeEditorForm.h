// The fields of the attribute editor and the rules of its OK.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CZAVDoc;

inline constexpr std::size_t kMaxAttributeNameLength = 200;

struct AttributeEditorForm {
  // The field a failed check names (FieldCheckFailed).
  enum Field { kNameField };

  std::string name;
  std::string helpText;
  std::vector<std::string> pictures;  // one row per picture name

  // The fields of attribute `attribute`; -1 gives the fields of a new one.
  static AttributeEditorForm Load(const CZAVDoc& doc, int attribute);

  // "Enter no more than 200 characters." on the name, then "Attribute name is empty.".
  void Check() const;

  // Checks, then writes the fields. A new attribute (-1) takes the first free
  // attribute slot and is appended to the parent menu's child list.
  // Returns the attribute's index.
  int Store(CZAVDoc& doc, int attribute, int parent) const;
};
