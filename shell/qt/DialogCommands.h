// The document commands that open a dialog first: the report options, the
// picture imports and the thumbnails. The child frame offers each command
// here before the document's own commands.
#pragma once

#include <optional>

#include "database/ZAVDocCommands.h"

class CZAVDoc;
class QWidget;

// False when the command is not one of these.
bool RunDialogCommand(CZAVDoc& document, QWidget* parent, int command);
std::optional<CommandState> DialogCommandState(const CZAVDoc& document, int command);
