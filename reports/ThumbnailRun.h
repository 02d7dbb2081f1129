// Thumbnail creation: the small copies of a folder's pictures, at most 140
// pixels wide, that the reports show when the database folder has a
// "Thumbnails" folder. The thumbnail dialog lists with ListSupportedPictures
// and converts with CreateThumbnails; paths are absolute throughout, so the
// process's current folder is never changed.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

inline constexpr int kThumbnailWidth = 140;
inline constexpr const char* kThumbnailFolderName = "Thumbnails";
inline constexpr const char* kConvertLogName = "Convert.log";
inline constexpr const char* kNoFilesToConvert = "There are no files to convert.";
inline constexpr const char* kConversionCompleted = "Image conversion is completed.";

// The regular files of the folder whose names end as the converter knows
// (".jpg", ".gif", ".bmp", ".emp", ".png", "wbmp", ".wmf", ".tga", ".tif";
// upper case is not taken), sorted by name.
std::vector<std::string> ListSupportedPictures(const std::filesystem::path& folder);

// Appends the line and a line feed to "Convert.log" in the folder; false
// when folder or line is empty or the file cannot be written.
bool AppendConvertLog(const std::filesystem::path& folder, const std::string& line);

// The thumbnail's size: 140 wide with the proportions kept (height at least
// 1), or the picture's own size when it is 140 wide or narrower.
std::pair<int, int> ThumbnailSize(int width, int height);

// Called on the calling thread with the number of files handled so far.
using ThumbnailProgress = std::function<void(int handled)>;

// Writes a thumbnail of each listed file of the folder into its "Thumbnails"
// folder under the same name and format; one already 140 wide is kept. The
// files that cannot be read or written are logged in "Thumbnails/Convert.log"
// and returned, in list order. Pictures and thumbnails are read only beneath
// the folder: a link leading out of it, a pipe, a device or a file larger
// than kMaxPictureFileBytes is unreadable, refused without being waited on. Ends with a message box: the completion, or
// that there was nothing to convert. workers 0 uses every core; the results,
// the log and the progress calls are the same as one file after the other.
std::vector<std::string> CreateThumbnails(const std::filesystem::path& folder, const std::vector<std::string>& files,
                                          const ThumbnailProgress& progress = {}, int workers = 0);
