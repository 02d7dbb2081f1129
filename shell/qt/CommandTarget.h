// A pane that handles commands of the menus and the toolbar. The child
// frame offers each command to its focused pane first, then to the tree,
// the item list and the report view, then to the document.
#pragma once

#include <optional>

#include "database/ZAVDocCommands.h"

class CCommandTarget {
 public:
  virtual ~CCommandTarget() = default;
  // True when the pane handled the command.
  virtual bool OnCommand(int command) = 0;
  // The command's state; nothing when the pane has no such command.
  virtual std::optional<CommandState> CommandStateOf(int command) = 0;
};
