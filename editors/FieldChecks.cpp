#include "editors/FieldChecks.h"

#include <cctype>
#include <charconv>

#include "platform/ErrorBox.h"

namespace editors {

std::string IntegerMessage() { return "Enter an integer."; }

std::string IntegerBetweenMessage(int low, int high) {
  return "Enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".";
}

std::string MaxCharactersMessage(std::size_t count) {
  return "Enter no more than " + std::to_string(count) + " characters.";
}

int CheckInteger(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  // from_chars takes "-" only; a "+" must be followed by a digit.
  if (begin + 1 < end && text[begin] == '+' && std::isdigit(static_cast<unsigned char>(text[begin + 1]))) ++begin;
  int value = 0;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  const auto [stop, error] = std::from_chars(first, last, value);
  if (first == last || error != std::errc() || stop != last) ThrowErrorMessage(IntegerMessage());
  return value;
}

int CheckIntegerBetween(const std::string& text, int low, int high) {
  const int value = CheckInteger(text);
  if (value < low || value > high) ThrowErrorMessage(IntegerBetweenMessage(low, high));
  return value;
}

void CheckMaxCharacters(const std::string& text, std::size_t count) {
  if (CountCharacters(text) > count) ThrowErrorMessage(MaxCharactersMessage(count));
}

void CheckNotEmpty(const std::string& text, const std::string& message) {
  if (text.empty()) ThrowErrorMessage(message);
}

namespace {
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::size_t CountCharacters(const std::string& text) {
  std::size_t count = 0;
  for (char c : text)
    if (!IsContinuationByte(c)) ++count;
  return count;
}

std::string KeepCharacters(const std::string& text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (IsContinuationByte(text[at])) continue;
    if (seen == count) return text.substr(0, at);
    ++seen;
  }
  return text;
}

}  // namespace editors
