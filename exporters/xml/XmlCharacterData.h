// Text as XML 1.0 carries it. A database's texts are UTF-8, but they can
// hold what XML forbids: U+FFFE and U+FFFF (the wide string form keeps
// them), control characters, and bytes that are no UTF-8 at all when an
// exporter is handed them from elsewhere. Each of those becomes U+FFFD, the
// replacement character, one per maximal ill-formed subsequence as Unicode
// recommends; so a reader accepts every file and sees where a character was.
#pragma once

#include <string>
#include <string_view>

// Appends text as element content: "&", "<" and ">" as entities, a carriage
// return as a reference (a reader would fold a plain one into the line
// feed), tab and line feed as they are, every character XML 1.0 cannot
// carry as U+FFFD.
void AppendXmlCharacterData(std::string& out, std::string_view text);
