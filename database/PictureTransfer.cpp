#include "database/PictureTransfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "database/KeyFolderWriter.h"
#include "database/RegularFileRead.h"

namespace fs = std::filesystem;

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

fs::path WithRegionEnding(fs::path picture) {
  picture += ".regions";
  return picture;
}

bool CopyThroughHandle(const KeyFolderWriter& writer, const PictureSourceFolder& from, const fs::path& relative,
                       const fs::path& destination) {
  std::string bytes, error;
  return ReadRegularFileBeneath(from.Handle(), relative, kMaxTransferredFileBytes, bytes, error) &&
         writer.WriteFile(destination, bytes, Replacing::Never, error);
}

enum class SourceName { PlainFile, LinkName, Refused };

// What the name is, as seen beneath the folder: the final name itself is not
// followed, so a link is told apart from the file it leads to.
SourceName ClassifySource(const PictureSourceFolder& from, const fs::path& relative) {
  const int fd = from.Handle().Open(relative, O_RDONLY | O_NONBLOCK | O_NOFOLLOW, LinksBeneath::Inside);
  if (fd < 0) return errno == ELOOP ? SourceName::LinkName : SourceName::Refused;
  struct stat status {};
  const bool plain = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  ::close(fd);
  return plain ? SourceName::PlainFile : SourceName::Refused;
}

bool MoveThroughHandle(const KeyFolderWriter& writer, const PictureSourceFolder& from, const fs::path& relative,
                       const fs::path& destination) {
  switch (ClassifySource(from, relative)) {
    case SourceName::PlainFile: {
      std::string error;
      return writer.MoveFile(from.PathOf(relative), destination, error);
    }
    case SourceName::LinkName:
      return CopyThroughHandle(writer, from, relative, destination);
    case SourceName::Refused:
      break;
  }
  return false;
}

}  // namespace

PictureSourceFolder::PictureSourceFolder(fs::path folder) : m_path(std::move(folder)), m_handle(m_path) {}

bool TransferFile(const KeyFolderWriter& writer, const PictureSourceFolder& from, const fs::path& relative,
                  const fs::path& destination, bool move) {
  if (SameFile(from.PathOf(relative), destination)) return false;
  return move ? MoveThroughHandle(writer, from, relative, destination)
              : CopyThroughHandle(writer, from, relative, destination);
}

void CopyRegionFile(const KeyFolderWriter& writer, const PictureSourceFolder& from, const fs::path& relativePicture,
                    const fs::path& destinationPicture, bool move) {
  TransferFile(writer, from, WithRegionEnding(relativePicture), WithRegionEnding(destinationPicture), move);
}
