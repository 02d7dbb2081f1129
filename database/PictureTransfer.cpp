#include "database/PictureTransfer.h"

#include <fstream>
#include <system_error>

#include "database/AtomicFile.h"
#include "database/UtilityFunction.h"

namespace fs = std::filesystem;

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

bool CopyThroughTemporary(const fs::path& source, const fs::path& destination) {
  std::error_code error;
  if (!fs::is_regular_file(source, error)) return false;
  std::string reason;
  return WriteFileAtomically(
      destination,
      [&](std::ostream& out) {
        std::ifstream in(source, std::ios::binary);
        if (!in) return false;
        if (in.peek() == std::ifstream::traits_type::eof()) return true;  // an empty picture copies as empty
        out << in.rdbuf();
        return static_cast<bool>(out);
      },
      reason);
}

bool Move(const fs::path& source, const fs::path& destination) {
  std::error_code error;
  fs::rename(source, destination, error);
  if (!error) return true;
  if (error != std::errc::cross_device_link) return false;
  if (!CopyThroughTemporary(source, destination)) return false;
  fs::remove(source, error);
  return true;
}

}  // namespace

bool TransferFile(const fs::path& source, const fs::path& destination, bool move) {
  if (SameFile(source, destination)) return false;
  return move ? Move(source, destination) : CopyThroughTemporary(source, destination);
}

void CopyRegionFile(const fs::path& sourcePicture, const fs::path& destinationPicture, bool move) {
  fs::path source = sourcePicture;
  source += ".regions";
  fs::path destination = destinationPicture;
  destination += ".regions";
  std::error_code error;
  if (fs::is_regular_file(source, error)) TransferFile(source, destination, move);
}

bool MakeFolders(const fs::path& base, const std::string& relativeFolder) {
  const fs::path folder = StoredNameToPath(base, relativeFolder);
  std::error_code error;
  fs::create_directories(folder, error);
  return fs::is_directory(folder, error);
}
