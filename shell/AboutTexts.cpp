#include "shell/AboutTexts.h"

#include <sstream>

std::string BuildLine(const std::string& date, const std::string& time) {
  std::istringstream words(date + " " + time);
  std::string line = "Build:", word;
  while (words >> word) line += " " + word;
  return line;
}

std::string ContactLinkTarget(const std::string& linkName) {
  if (linkName == "web") return kWebAddress;
  if (linkName == "mail") return std::string("mailto:") + kMailAddress;
  return {};
}
