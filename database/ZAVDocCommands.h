// The document's commands from the menus and the toolbar, and their states.
// The GUI asks the state when a menu opens and after every command; a
// command the document does not know has no state.
#pragma once

#include <optional>
#include <string>

class CZAVDoc;

struct CommandState {
  enum class Check { None, Unchecked, Checked, Indeterminate };
  bool enabled = true;
  Check check = Check::None;
  std::string text;  // empty: the menu keeps its own text
};

// Runs the command; false when the document has no such command.
bool RunDocumentCommand(CZAVDoc& document, int command);
std::optional<CommandState> DocumentCommandState(const CZAVDoc& document, int command);

// Asks, then locks the database; the document is marked modified in every case.
void OnLockDatabase(CZAVDoc& document);
// The lock pane: " LOCKED " or "UNLOCKED".
std::string LockPaneText(const CZAVDoc& document);
// Selects the first row of the item list, then shows the item list report.
void OnItemListReport(CZAVDoc& document);

inline constexpr const char* kLockQuestion =
    "This will lock the database so it cannot be edited.  Be sure there is a backup of the database file.  "
    "Are you sure you want to do this?";
