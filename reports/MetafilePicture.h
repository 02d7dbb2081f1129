// A bitmap wrapped as a placeable Windows metafile: the header, the window
// of the picture's size and one stretch-DIB record holding the bitmap.
#pragma once

#include <string>

// dib is a device-independent bitmap (a BMP file without its 14-byte file
// header). Empty when the size does not fit the metafile's 16-bit coordinates.
std::string MetafileWithBitmap(const std::string& dib, int width, int height);
