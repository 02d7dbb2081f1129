#include "reports/ImageConvert.h"

#include <Magick++.h>

#include <algorithm>
#include <array>
#include <mutex>
#include <utility>

#include "database/KeyFolderWriter.h"
#include "database/RegularFileRead.h"
#include "database/WorkerPool.h"
#include "reports/MetafilePicture.h"

namespace {

struct Ending {
  const char* ending;  // the last four characters of a file name
  const char* format;  // the library's format name
};

// ".emp" has no format of its own anywhere; PNG keeps the picture lossless.
constexpr std::array<Ending, 9> kEndings = {{{".jpg", "JPEG"},
                                             {".gif", "GIF"},
                                             {".bmp", "BMP"},
                                             {".emp", "PNG"},
                                             {".png", "PNG"},
                                             {"wbmp", "WBMP"},
                                             {".wmf", "WMF"},
                                             {".tga", "TGA"},
                                             {".tif", "TIFF"}}};

const Ending* EndingOf(const std::string& name) {
  if (name.size() < 4) return nullptr;
  const std::string last = name.substr(name.size() - 4);
  for (const auto& ending : kEndings)
    if (last == ending.ending) return &ending;
  return nullptr;
}

// The program's own bounds, whatever the system's policy allows: a picture
// of a key from elsewhere may be built to exhaust memory or disk.
constexpr std::size_t kMaxSide = 16384;
constexpr std::size_t kBytesPerPixel = 8;  // the library's 16-bit channels, four of them
constexpr std::size_t kMaxPictureBytes = std::size_t{256} << 20;
constexpr std::size_t kMaxFrames = 64;

void SetResourceLimits() {
  // Every conversion runs on the program's pool, one picture per thread.
  const auto workers = static_cast<std::size_t>(worker_pool::AllowedCpus());
  const std::size_t total = kMaxPictureBytes * workers;
  Magick::ResourceLimits::width(kMaxSide);
  Magick::ResourceLimits::height(kMaxSide);
  Magick::ResourceLimits::area(total);
  Magick::ResourceLimits::memory(total);
  Magick::ResourceLimits::map(total);
  Magick::ResourceLimits::disk(total);
  Magick::ResourceLimits::listLength(kMaxFrames);
}

void InitializeLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    Magick::InitializeMagick(nullptr);
    SetResourceLimits();
  });
}

// Whether a picture of that size stays within the bounds of one picture
// once decoded; only JPEG decodes at a smaller width (at most an eighth).
bool SizeIsAccepted(std::size_t columns, std::size_t rows, const char* format, int decodeWidth) {
  if (columns == 0 || rows == 0 || columns > kMaxSide || rows > kMaxSide) return false;
  const bool shrinks = decodeWidth > 0 && std::string(format) == "JPEG";
  const std::size_t shrink = shrinks ? std::clamp<std::size_t>(columns / decodeWidth, 1, 8) : 1;
  return (columns / shrink + 1) * (rows / shrink + 1) * kBytesPerPixel <= kMaxPictureBytes;
}

// Reading from memory keeps the library from taking ":" or "[" in a file
// name as a format or frame. The format is always the one the name says, so
// the content never chooses its decoder (a drawing named ".gif" is not drawn).
bool ReadPicture(Magick::Image& image, const Magick::Blob& blob, const char* format, int decodeWidth) {
  image = Magick::Image();
  image.quiet(true);
  try {
    image.magick(format);
    if (decodeWidth > 0) image.defineValue("jpeg", "size", std::to_string(decodeWidth) + "x0");
    image.read(blob);
  } catch (const Magick::Warning&) {
  } catch (const Magick::Exception&) {
    return false;
  }
  return image.isValid() && image.columns() > 0 && image.rows() > 0;
}

// The width to decode at (0: the picture's own), or -1 when the picture's
// header says it is beyond the bounds. The decoder's scaling also enlarges a
// picture narrower than asked for, so it is asked for only when the picture
// is at least twice as wide.
int DecodeWidthFor(const Magick::Blob& blob, const char* format, int scaleToWidth) {
  Magick::Image probe;
  probe.quiet(true);
  try {
    probe.magick(format);
    probe.ping(blob);
  } catch (const Magick::Warning&) {
  } catch (const Magick::Exception&) {
    return -1;
  }
  const bool scaled = scaleToWidth > 0 && probe.columns() >= 2 * static_cast<std::size_t>(scaleToWidth);
  const int width = scaled ? scaleToWidth : 0;
  return SizeIsAccepted(probe.columns(), probe.rows(), format, width) ? width : -1;
}

std::string Encode(Magick::Image image, const std::string& format) {
  Magick::Blob blob;
  image.quiet(true);
  image.magick(format);
  if (format == "JPEG") image.quality(100);
  try {
    image.write(&blob);
  } catch (const Magick::Warning&) {
    // A warning left from reading a damaged picture; what was read is written.
  }
  if (blob.length() == 0) return {};
  return std::string(static_cast<const char*>(blob.data()), blob.length());
}

std::string EncodeMetafile(const Magick::Image& image) {
  const std::string bitmap = Encode(image, "BMP3");
  constexpr std::size_t kFileHeader = 14;
  if (bitmap.size() <= kFileHeader) return {};
  return MetafileWithBitmap(bitmap.substr(kFileHeader), static_cast<int>(image.columns()),
                            static_cast<int>(image.rows()));
}

}  // namespace

struct ImageConvert::Picture {
  Magick::Image image;
  int width = 0;  // the picture's own size, whatever size it was decoded at
  int height = 0;
};

ImageConvert::ImageConvert() { InitializeLibrary(); }
ImageConvert::~ImageConvert() = default;

bool ImageConvert::IsSupportedName(const std::string& name) { return EndingOf(name) != nullptr; }

bool ImageConvert::Open(const FolderHandle& folder, const std::filesystem::path& relative, int scaleToWidth) {
  Close();
  std::string bytes, error;
  if (!EndingOf(relative.filename().string()) ||
      !ReadRegularFileBeneath(folder, relative, kMaxPictureFileBytes, bytes, error))
    return false;
  return Decode(std::move(bytes), relative.filename().string(), scaleToWidth);
}

bool ImageConvert::Open(const std::filesystem::path& path, int scaleToWidth) {
  Close();
  std::string bytes, error;
  if (!EndingOf(path.filename().string()) || !ReadKeyFile(path, kMaxPictureFileBytes, bytes, error)) return false;
  return Decode(std::move(bytes), path.filename().string(), scaleToWidth);
}

bool ImageConvert::Decode(std::string bytes, const std::string& name, int scaleToWidth) {
  const Ending* ending = EndingOf(name);
  if (!ending || bytes.empty()) return false;
  // A metafile is taken only for the bitmap it carries; its drawing is never run.
  const bool metafile = std::string(ending->format) == "WMF";
  if (metafile) bytes = BitmapInMetafile(bytes);
  const char* format = metafile ? "BMP" : ending->format;
  auto picture = std::make_unique<Picture>();
  const Magick::Blob blob(bytes.data(), bytes.size());
  const int decodeWidth = DecodeWidthFor(blob, format, scaleToWidth);
  if (decodeWidth < 0 || !ReadPicture(picture->image, blob, format, decodeWidth)) return false;
  const Magick::Image& image = picture->image;
  const bool scaled = image.baseColumns() > 0 && image.baseRows() > 0;
  picture->width = static_cast<int>(scaled ? image.baseColumns() : image.columns());
  picture->height = static_cast<int>(scaled ? image.baseRows() : image.rows());
  m_picture = std::move(picture);
  return true;
}

int ImageConvert::Width() const { return m_picture ? m_picture->width : 0; }
int ImageConvert::Height() const { return m_picture ? m_picture->height : 0; }

void ImageConvert::Resize(int width, int height) {
  if (!m_picture || width < 1 || height < 1) return;
  Magick::Geometry size(static_cast<std::size_t>(width), static_cast<std::size_t>(height));
  size.aspect(true);  // exactly this size: the caller has kept the proportions
  m_picture->image.filterType(Magick::LanczosFilter);
  m_picture->image.resize(size);
  m_picture->width = width;
  m_picture->height = height;
}

bool ImageConvert::Save(const std::filesystem::path& path) { return Save(KeyFolderWriter(path.parent_path()), path); }

bool ImageConvert::Save(const KeyFolderWriter& folder, const std::filesystem::path& path) {
  const Ending* ending = EndingOf(path.filename().string());
  if (!m_picture || !ending) return false;
  std::string bytes;
  try {
    const std::string format = ending->format;
    bytes = format == "WMF" ? EncodeMetafile(m_picture->image) : Encode(m_picture->image, format);
  } catch (const Magick::Exception&) {
    return false;
  }
  if (bytes.empty()) return false;
  std::string error;
  return folder.WriteFile(path, bytes, Replacing::Allowed, error);
}

void ImageConvert::Close() { m_picture.reset(); }
