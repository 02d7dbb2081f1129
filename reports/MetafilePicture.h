// A bitmap wrapped as a placeable Windows metafile: the header, the window
// of the picture's size and one stretch-DIB record holding the bitmap.
#pragma once

#include <string>

// dib is a device-independent bitmap (a BMP file without its 14-byte file
// header). Empty when the size does not fit the metafile's 16-bit coordinates.
std::string MetafileWithBitmap(const std::string& dib, int width, int height);

// The bitmap of the first stretch-DIB record of a metafile (placeable or
// not) as a BMP file; empty when the metafile holds none or is damaged.
// Drawing records are never interpreted: a metafile counts as a picture
// only through the bitmap it carries.
std::string BitmapInMetafile(const std::string& metafile);
