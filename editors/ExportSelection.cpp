#include "editors/ExportSelection.h"

namespace {
constexpr int kAttributeNode = 9;
constexpr int kAttributeMenuNode = 10;
}  // namespace

ExportSelection ExportSelection::FromTreeNodes(int selectedKind, int selectedIndex, int parentKind, int parentIndex) {
  const bool onAttribute = selectedKind == kAttributeNode;
  const int lookedAtKind = onAttribute ? parentKind : selectedKind;
  const int lookedAtIndex = onAttribute ? parentIndex : selectedIndex;
  return {onAttribute ? selectedIndex : -1, lookedAtKind == kAttributeMenuNode ? lookedAtIndex : -1};
}
