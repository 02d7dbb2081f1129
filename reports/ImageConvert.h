// The image-conversion control of the thumbnail run: opens a picture, tells
// its size, resizes it and saves it in the format that the target's name
// ends with. One object holds one picture at a time; separate objects may
// work on separate threads.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

class FolderHandle;
class KeyFolderWriter;

// The largest picture file read: no picture the converter accepts (256 MB
// once decoded) needs a larger file, and a file is refused by its size
// before anything is read or allocated.
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{256} << 20;

class ImageConvert {
 public:
  ImageConvert();
  ~ImageConvert();
  ImageConvert(const ImageConvert&) = delete;
  ImageConvert& operator=(const ImageConvert&) = delete;

  // False when the file cannot be read as a picture of the format its name
  // ends with, or is larger than the program accepts (16384 pixels a side,
  // 256 MB decoded); the size is then 0 x 0.
  // A picture that will only be scaled down to scaleToWidth (0: not known)
  // may be decoded at a smaller size that is still at least that wide (JPEG
  // decodes at an eighth of the size for a fraction of the time); Width and
  // Height still tell the picture's own size.
  // The file is read only when it is a plain file of at most
  // kMaxPictureFileBytes: a pipe or device is refused without waiting on it.
  // Through a folder's handle, the name is resolved beneath that folder and a
  // link leading out of it is refused; by path, the folder holding the file
  // is the bound.
  bool Open(const FolderHandle& folder, const std::filesystem::path& relative, int scaleToWidth = 0);
  bool Open(const std::filesystem::path& path, int scaleToWidth = 0);
  int Width() const;
  int Height() const;
  // Scales the open picture (as decoded) to exactly width x height pixels.
  void Resize(int width, int height);
  // Writes the open picture by the last four characters of the path: ".jpg"
  // (quality 100), ".gif", ".bmp", ".png", "wbmp", ".tga", ".tif", ".wmf" (the
  // bitmap inside a placeable metafile) and ".emp" (PNG data under the
  // program's own name). False for any other ending or a failed write.
  // The folder's writer decides the write (never through a link); without
  // one the path's own folder is the bound.
  bool Save(const KeyFolderWriter& folder, const std::filesystem::path& path);
  bool Save(const std::filesystem::path& path);
  void Close();

  // Whether a file name ends with one of the endings Save knows, case-sensitively.
  static bool IsSupportedName(const std::string& name);

 private:
  bool Decode(std::string bytes, const std::string& name, int scaleToWidth);

  struct Picture;
  std::unique_ptr<Picture> m_picture;
};
