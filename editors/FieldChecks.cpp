#include "editors/FieldChecks.h"

#include <cctype>
#include <optional>

#include "platform/ErrorBox.h"

namespace {

// Blanks around the number are allowed, as in any typed integer field;
// anything else beside an optional sign and digits is not.
std::optional<long long> ParseInteger(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t");
  std::size_t end = text.find_last_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  std::string digits = text.substr(begin, end - begin + 1);
  bool negative = false;
  if (digits[0] == '+' || digits[0] == '-') {
    negative = digits[0] == '-';
    digits.erase(0, 1);
  }
  if (digits.empty() || digits.size() > 12) return std::nullopt;
  long long value = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

}  // namespace

int CheckIntegerField(const std::string& text, int low, int high) {
  const std::optional<long long> value = ParseInteger(text);
  if (!value) ThrowErrorMessage("Enter an integer.");
  if (*value < low || *value > high)
    ThrowErrorMessage("Enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".");
  return static_cast<int>(*value);
}

int CountCharacters(const std::string& text) {
  int count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

void CheckMaxCharacters(const std::string& text, int limit) {
  if (CountCharacters(text) > limit)
    ThrowErrorMessage("Enter no more than " + std::to_string(limit) + " characters.");
}
