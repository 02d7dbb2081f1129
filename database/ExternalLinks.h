// External links kept in an item's description text: the description,
// then "@Links", then lines "name@$address\r\n".
#pragma once

#include <string>
#include <vector>

class CZAVDoc;

std::string GetDescriptionPart(const std::string& text);
std::string GetLinksPart(const std::string& text);
std::string JoinDescriptionAndLinks(const std::string& description, const std::string& links);
void SplitLinks(const std::string& links, std::vector<std::string>& lines);
void SplitLink(const std::string& line, std::string& name, std::string& address);
std::string MakeLink(const std::string& name, const std::string& address);

// The links block of a page; empty without links.
std::string LinksToHtml(const std::string& links);

bool IsQorLink(const std::string& address);

// Opens a "qorlink:" address: an http, https or mailto address on the
// desktop, anything else as a file of the database folder (never outside
// it, and only a document: LinkedDocument.h) or not at all.
void RunExternalLink(const std::string& address, const CZAVDoc& document);
// The same against the active database's folder.
void RunExternalLink(const std::string& address);
