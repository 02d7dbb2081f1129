// The checks an editor's OK runs on typed fields. Each failure goes through
// the error box, so OK is abandoned and the dialog keeps what was typed.
#pragma once

#include <string>

// The integer typed in text, which must lie in [low, high]:
// "Enter an integer." when the text is no integer,
// "Enter an integer between <low> and <high>." when it is out of range.
int CheckIntegerField(const std::string& text, int low, int high);

// "Enter no more than <limit> characters." when the UTF-8 text is longer.
void CheckMaxCharacters(const std::string& text, int limit);

// The number of characters (code points) of a UTF-8 text.
int CountCharacters(const std::string& text);
