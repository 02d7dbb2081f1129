// The HTML writing functions the report builds call: pieces returned as
// strings, or appended to the page buffer. Database text is escaped for
// where it goes; texts documented as "HTML" are written as given.
#pragma once

#include <string>

class CZAVDoc;

// Element text: & < > escaped, both quotes as a backquote, CR removed; line
// feeds become paragraphs, and so does a one-line text with alwaysParagraphs.
std::string TextToHtml(const std::string& text, bool alwaysParagraphs = false);

// A private link "http:\\<word><number>end" around `html` (written as given).
std::string FormatLink(const std::string& word, int number, const std::string& html);

std::string IndentDiv(int level);
std::string IndentSpaces(int count);
std::string CheckBox(const std::string& name, bool checked, bool bulletOnly);

// The database's own style sheet (path given) or the program folder's
// "qor.css" (no path).
std::string StyleSheetLink(const std::string* databasePath);

// The picture with its image map when a "<picture>.regions" file exists; else empty.
std::string ImageWithMap(const std::string& picturePath, const std::string& mapName);

// Whether a file exists at a path written with "\\" or "/".
bool LocalFileExists(const std::string& path);

// Whether a regions file lies beside the menu's first picture.
bool MenuImageHasRegions(const CZAVDoc& document, int menu);

// Appending functions (the page buffer).
void AppendNewLine();
void AppendSpanEnd();
void AppendBreak();
void AppendIndentSpaces(int count);
void AppendHtml(const std::string& html);
void AppendCourierStart();
void AppendVerdanaStart();
void AppendCheckBox(const std::string& name, bool checked, bool bulletOnly);
// The external-links block of an item's description text.
void AppendItemLinks(const std::string& itemText);
