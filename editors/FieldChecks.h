// The checks an editor's OK runs on its fields, with the messages a user
// knows from every editor. Each failing check shows its message through the
// error box, which abandons OK and leaves the dialog open with what was typed.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "platform/ErrorBox.h"

namespace editors {

// "Enter an integer."
std::string IntegerMessage();
// "Enter an integer between 1 and 4."
std::string IntegerBetweenMessage(int low, int high);
// "Enter no more than 200 characters."
std::string MaxCharactersMessage(std::size_t count);

// The text as an integer (blanks around it and a sign allowed); the error
// box with IntegerMessage() when it is none or does not fit an int.
int CheckInteger(const std::string& text);
// The same, then the error box with IntegerBetweenMessage() outside [low, high].
int CheckIntegerBetween(const std::string& text, int low, int high);
// The error box with MaxCharactersMessage() when the text has more
// characters (not bytes: names are UTF-8) than allowed.
void CheckMaxCharacters(const std::string& text, std::size_t count);
// The error box with the message when the text is empty.
void CheckNotEmpty(const std::string& text, const std::string& message);

// A check of one field failed: the error box has shown its message, and the
// editor puts the keyboard into the field the message names, wherever the
// user was when pressing OK. Each form numbers its own fields.
struct FieldCheckFailed : UserAbort {
  explicit FieldCheckFailed(int failedField) : field(failedField) {}
  int field;
};

// Runs the checks of one field; a failure among them names that field.
template <class Check>
decltype(auto) CheckField(int field, Check&& check) {
  try {
    return std::forward<Check>(check)();
  } catch (const FieldCheckFailed&) {
    throw;
  } catch (const UserAbort&) {
    throw FieldCheckFailed(field);
  }
}

// Characters of a UTF-8 text.
std::size_t CountCharacters(const std::string& text);
// The text cut after at most count characters, never inside a character.
std::string KeepCharacters(const std::string& text, std::size_t count);

}  // namespace editors
