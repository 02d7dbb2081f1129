// Arbitrary bytes as the start of a ".qor" file, read by the open dialog's
// header reader: it reads a title or says the format is bad, never more.
#include "database/DatabaseHeader.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzScratch.h"

FuzzVerdict FuzzDatabaseHeader(const std::uint8_t* data, std::size_t size) {
  const auto path = FuzzScratch::Get().Write("header.qor", data, size);
  CQDochdr header;
  switch (ReadDatabaseHeaderFile(path, header)) {
    case HeaderReadResult::Ok:
      return FuzzVerdict::Accepted;
    case HeaderReadResult::BadFormat:
      return FuzzVerdict::Rejected;
    case HeaderReadResult::CannotOpen:
      break;  // the scratch file was just written
  }
  return FuzzVerdict::Violated;
}
