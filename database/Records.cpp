#include "database/Records.h"

#include <cctype>

std::string NormalizePictureList(const std::string& pictures) {
  if (pictures.empty()) return pictures;
  std::string text = pictures;
  while (!text.empty() && text.back() == ';') text.pop_back();
  // One pass of the replacement, as the stored files were written with it:
  // ";;;" becomes ";;" is not re-scanned.
  std::string once;
  once.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ';' && i + 1 < text.size() && text[i + 1] == ';') {
      once += ';';
      ++i;
    } else {
      once += text[i];
    }
  }
  if (once == ";") once.clear();
  return once;
}

void TrimSpaces(std::string& text) {
  auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
  std::size_t begin = 0;
  while (begin < text.size() && isSpace(text[begin])) ++begin;
  std::size_t end = text.size();
  while (end > begin && isSpace(text[end - 1])) --end;
  text = text.substr(begin, end - begin);
}

int FindStringSlot(const std::vector<std::string>& array, const std::string& text) {
  return FindStringSlot(array, text, [](int) { return true; });
}

int FindStringSlot(const std::vector<std::string>& array, const std::string& text,
                   const std::function<bool(int)>& mayReuse) {
  for (std::size_t i = 0; i < array.size(); ++i)
    if (array[i] == text) return static_cast<int>(i);
  for (std::size_t i = 0; i < array.size(); ++i)
    if (array[i].empty() && mayReuse(static_cast<int>(i))) return static_cast<int>(i);
  return static_cast<int>(array.size());
}
