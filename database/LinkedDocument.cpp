#include "database/LinkedDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace {

// How a type's first bytes look. Text has no signature: it is told by
// what it lacks (NUL bytes, an interpreter line).
enum class Content { Text, Pdf, Png, Jpeg, Gif, Bmp, Tiff, Webp, Rtf, Zip, Compound };

struct DocumentType {
  const char* ending;
  Content content;
};

// Office documents of today are zip archives; the older ones are compound files.
constexpr DocumentType kDocuments[] = {
    {".txt", Content::Text},  {".htm", Content::Text},     {".html", Content::Text},    {".csv", Content::Text},
    {".xml", Content::Text},  {".pdf", Content::Pdf},      {".png", Content::Png},      {".jpg", Content::Jpeg},
    {".jpeg", Content::Jpeg}, {".gif", Content::Gif},      {".bmp", Content::Bmp},      {".tif", Content::Tiff},
    {".tiff", Content::Tiff}, {".webp", Content::Webp},    {".rtf", Content::Rtf},      {".docx", Content::Zip},
    {".xlsx", Content::Zip},  {".pptx", Content::Zip},     {".odt", Content::Zip},      {".ods", Content::Zip},
    {".odp", Content::Zip},   {".doc", Content::Compound}, {".xls", Content::Compound}, {".ppt", Content::Compound},
};

// Enough for every signature and for telling text from binary.
constexpr std::size_t kLookedAt = 4096;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const DocumentType* TypeOf(const std::string& fileName) {
  if (fileName.empty() || fileName.back() == '.' || fileName.back() == ' ') return nullptr;
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || dot == 0) return nullptr;
  const std::string ending = Lower(fileName.substr(dot));
  for (const DocumentType& type : kDocuments)
    if (ending == type.ending) return &type;
  return nullptr;
}

bool StartsWith(std::string_view head, std::string_view signature) {
  return head.substr(0, signature.size()) == signature;
}

using namespace std::string_view_literals;

bool FitsContent(Content content, std::string_view head) {
  switch (content) {
    case Content::Text:
      return head.find('\0') == std::string_view::npos && !StartsWith(head, "#!");
    case Content::Pdf:
      return StartsWith(head, "%PDF-");
    case Content::Png:
      return StartsWith(head, "\x89PNG\r\n\x1A\n"sv);
    case Content::Jpeg:
      return StartsWith(head, "\xFF\xD8\xFF"sv);
    case Content::Gif:
      return StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a");
    case Content::Bmp:
      return StartsWith(head, "BM");
    case Content::Tiff:
      return StartsWith(head, "II*\0"sv) || StartsWith(head, "MM\0*"sv);
    case Content::Webp:
      return StartsWith(head, "RIFF") && head.size() >= 12 && head.substr(8, 4) == "WEBP";
    case Content::Rtf:
      return StartsWith(head, "{\\rtf");
    case Content::Zip:
      return StartsWith(head, "PK\x03\x04"sv);
    case Content::Compound:
      return StartsWith(head, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv);
  }
  return false;
}

// Closes the descriptor on every way out.
class ReadHandle {
 public:
  explicit ReadHandle(const std::filesystem::path& path)
      : m_fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC)) {}
  ~ReadHandle() {
    if (m_fd >= 0) ::close(m_fd);
  }
  ReadHandle(const ReadHandle&) = delete;
  ReadHandle& operator=(const ReadHandle&) = delete;
  int fd() const { return m_fd; }

 private:
  int m_fd;
};

// The file's first bytes, fewer for a short file; false when it cannot be read.
bool ReadHead(int fd, std::string& head) {
  head.assign(kLookedAt, '\0');
  std::size_t got = 0;
  while (got < kLookedAt) {
    const ssize_t count = ::read(fd, head.data() + got, kLookedAt - got);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    if (count == 0) break;
    got += static_cast<std::size_t>(count);
  }
  head.resize(got);
  return true;
}

}  // namespace

bool HasDocumentEnding(const std::string& fileName) { return TypeOf(fileName) != nullptr; }

std::string LinkedDocumentRefusal(const std::filesystem::path& realPath, const std::string& linkedName) {
  const DocumentType* type = TypeOf(realPath.filename().string());
  if (!type || !HasDocumentEnding(linkedName))
    return "Links may open only documents (text, PDF, pictures, office files).";
  const ReadHandle file(realPath);
  struct stat status {};
  if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0 || !S_ISREG(status.st_mode)) return "The file cannot be read.";
  if ((status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0) return "Links may not start programs.";
  std::string head;
  if (!ReadHead(file.fd(), head)) return "The file cannot be read.";
  if (type->content == Content::Text && StartsWith(head, "#!")) return "Links may not start programs.";
  if (!FitsContent(type->content, head))
    return "The file's contents are not those of a " + std::string(type->ending) + " document.";
  return {};
}
