// Where a loading archive's bytes come from when they are not all in memory
// from the start. The archive asks for every range before it reads it, and
// the arrays it passes over (the data blocks, nearly all of a large file) are
// copied from the source straight into their own memory, not through the
// archive's unless the source had read them already.
#pragma once

#include <cstddef>

class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;

  // Makes bytes [offset, offset + length) readable in the archive's memory;
  // false when the source ended before them. The archive asks in the order
  // it reads, never for a range before one it asked for already.
  virtual bool Fill(std::size_t offset, std::size_t length) = 0;

  // Copies bytes [offset, offset + length) into to; false when they could
  // not all be read. Called from several threads at once, never while Fill
  // runs.
  virtual bool CopyOut(std::size_t offset, void* to, std::size_t length) const = 0;
};
