// Reading the address of a clicked link. Pages write pseudo-addresses such
// as "http:\\menu12end" and "http:\\item%205end"; the browser may hand them
// over as written or normalised ("http://menu12end/"). Both are read here
// by one anchored grammar, never by searching for a word inside the text:
//   http: sep sep word [%20] [signed number] end [/]
// with sep "\" or "/", letters in any case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

enum class LinkForm {
  Other,    // left to the browser unless a base form applies
  Pseudo,   // http:\\<word><number>end
  QorLink,  // "qorlink:" + rest
  QorAttr,  // "qorattr:" + region id
};

struct ParsedLink {
  LinkForm form = LinkForm::Other;
  std::string word;     // pseudo: lower case, "item%20" and "limage%20" keep their "%20"
  bool hasEnd = false;  // pseudo: "end" closes the number
  bool hasNumber = false;
  bool numberFits = false;  // the number fits a 32-bit int
  int number = 0;
  std::string rest;  // qorlink/qorattr: the text after the prefix, as written
};

ParsedLink ParseLink(const std::string& rawAddress);

// The pseudo-address's number when it has "end", a number that fits, and
// lies in 0..limit-1; else nothing.
std::optional<int> LinkIndex(const ParsedLink& link, int limit);
