// The document's picture commands: the picture check and the two imports.
// The menu wiring calls these; each shows its report in the database's view.
#pragma once

#include <optional>
#include <string>

class CZAVDoc;

// "No Matching Image File Present": the picture check page.
void OnNoMatchingImageFile(CZAVDoc& document);

// Asks for the import folder, starting at the database folder; nothing when
// the author cancels. Trailing separators and blanks are removed.
std::optional<std::string> AskImportFolder(const CZAVDoc& document);

// The imports with a folder already chosen (the reports change records and files).
void RunItemPictureImport(CZAVDoc& document, const std::string& importFolder);
void RunMenuPictureImport(CZAVDoc& document, const std::string& importFolder);

// Ask for the folder, then import; nothing happens when the author cancels.
void OnImportItemImages(CZAVDoc& document);
void OnImportMenuImages(CZAVDoc& document);

// The menu text of the item import, naming the items as the database does.
std::string ImportItemImagesCommandText(const CZAVDoc& document);
