// The caption of a database window: the database title with the file name
// beside it, so two open keys of the same title can be told apart, and a
// marker while the document holds unsaved changes.
#pragma once

#include <string>

class CZAVDoc;

// "Birds (birds.qor)", "Birds (birds.qor) *" when modified; a database not
// saved yet shows its title alone.
std::string FrameCaption(const CZAVDoc& document);
