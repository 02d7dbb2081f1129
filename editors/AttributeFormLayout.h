// The attribute-data form: the whole menu tree as indented menu titles with
// one check box per attribute, laid out top to bottom. The form is long (a
// row per attribute), so it is kept as plain rows a view paints in part.
#pragma once

#include <vector>

#include "editors/FormFocus.h"

class CZAVDoc;

// Spacings in pixels, taken from the form's sample measures (in dialog
// units: titles from y 10, the next title 9 lower and 6 to the right, a
// check box 9 below its title and 6 further right, check boxes 11 apart,
// what follows the last check box 11 below it).
struct AttributeFormMetrics {
  int leftMargin = 11;
  int top = 17;
  int titleHeight = 14;
  int indent = 9;
  int titleSpacing = 16;
  int checkIndent = 9;
  int titleToCheck = 16;
  int checkHeight = 17;
  int checkSpacing = 19;
  int gapBelowChecks = 19;
};

struct AttributeFormRow {
  int top = 0;
  int left = 0;
  int height = 0;
  int menu = -1;       // the menu whose title this is, or whose attribute
  int attribute = -1;  // -1 for a menu title
  bool IsCheck() const { return attribute >= 0; }
};

struct AttributeFormLayout {
  std::vector<AttributeFormRow> rows;  // in tree order
  std::vector<FormSpan> checks;        // the check boxes' spans, in order
  std::vector<int> checkAttributes;    // the attribute of each check box
  std::vector<int> checkRows;          // the row of each check box
  int contentHeight = 0;

  // The first row whose bottom lies below y (binary search), rows.size() at the end.
  int FirstRowBelow(int y) const;
  // The check box of an attribute, -1 when the form has none.
  int CheckOfAttribute(int attribute) const;
};

// Lays out the menu tree from the root menu (0), depth first in the order
// of each menu's child list.
AttributeFormLayout LayOutAttributeForm(const CZAVDoc& doc, const AttributeFormMetrics& metrics = {});
