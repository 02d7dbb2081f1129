// The XML dump "TEST.qorx" split so that opening and saving do not wait for
// it. Everything but the items' attribute lines is rendered while the
// document is at hand; those lines, nearly all of a large dump, come from one
// precomputed line per attribute and a copy of the item rows, so the bulk of
// the text can be produced later on the dump thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/Records.h"

class CZAVDoc;

class XmlDumpSnapshot {
 public:
  explicit XmlDumpSnapshot(const CZAVDoc& document);

  // Receives the dump piece by piece; returning false stops the rendering.
  using Sink = std::function<bool(std::string_view)>;
  // Hands the whole dump, ISO-8859-1 bytes, to sink in pieces of about
  // chunkBytes. False when the sink stopped it.
  bool Render(const Sink& sink, std::size_t chunkBytes) const;

 private:
  class Writer;  // renders the document's texts into the snapshot

  std::string m_head;  // up to and including "\t<items>\n"
  // Each written item's opening and closing text, back to back; item k
  // spans bounds 2k to 2k+2.
  std::string m_itemTexts;
  std::vector<std::size_t> m_itemBounds;
  // One line per attribute (empty for an empty name); attribute a spans
  // starts a to a+1.
  std::string m_lines;
  std::vector<std::size_t> m_lineStarts;
  std::unique_ptr<DWORD[]> m_rows;  // the written items' rows, m_wordsPerRow each
  std::size_t m_wordsPerRow = 0;
  std::size_t m_attributeCount = 0;
};

// Every load and store is an event that the dump file shows when it is the
// latest; a dump held back for later keeps the number of its event.
std::uint64_t NewXmlDumpEvent();

// True when a dump of a later event than this one has been started for
// path: writing this one would put older contents over newer.
bool IsXmlDumpSuperseded(const std::filesystem::path& path, std::uint64_t event);

// Writes the snapshot of the event to path on the dump thread and returns at
// once; nothing when the event is superseded. A dump of the same file still
// being written is abandoned first (the new one replaces it anyway); one of
// another file is waited for. A file that cannot be written is skipped
// silently.
void StartXmlDump(std::filesystem::path path, std::unique_ptr<const XmlDumpSnapshot> snapshot,
                  std::uint64_t event = NewXmlDumpEvent());

// Returns when no dump is being written. The program calls it before it
// ends; it also runs by itself when the program exits normally.
void WaitForXmlDump();
