#include "editors/LineEnds.h"

std::string KeepLineEnds(const std::string& typed, const std::string& stored) {
  if (stored.find("\r\n") == std::string::npos) return typed;
  std::string text;
  text.reserve(typed.size() + typed.size() / 16);
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == '\n' && (i == 0 || typed[i - 1] != '\r')) text += '\r';
    text += typed[i];
  }
  return text;
}
