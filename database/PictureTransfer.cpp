#include "database/PictureTransfer.h"

#include <system_error>

#include "database/KeyFolderWriter.h"

namespace fs = std::filesystem;

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

}  // namespace

bool TransferFile(const KeyFolderWriter& folder, const fs::path& source, const fs::path& destination, bool move) {
  if (SameFile(source, destination)) return false;
  std::string error;
  return move ? folder.MoveFile(source, destination, error)
              : folder.CopyFile(source, destination, Replacing::Never, error);
}

void CopyRegionFile(const KeyFolderWriter& folder, const fs::path& sourcePicture, const fs::path& destinationPicture,
                    bool move) {
  fs::path source = sourcePicture;
  source += ".regions";
  fs::path destination = destinationPicture;
  destination += ".regions";
  std::error_code error;
  if (fs::is_regular_file(source, error)) TransferFile(folder, source, destination, move);
}
