// Pieces several report pages write the same way.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "database/Records.h"

class CReport;
class CZAVDoc;

// The word for an item: the species or the common label, by the database's naming.
std::string ItemLabel(const CZAVDoc& doc);

// A page with one heading (none for null) and nothing else; a head already
// written stays as it is.
void WriteOneLinePage(CReport& report, const char* heading);

// The picture cell of a list as a string (see CReport::ImageCell).
std::string PictureCell(const CReport& report, const std::string& pictures, int height, const std::string* title,
                        bool sized, int* counter, bool linked);

// Appends the picture cell when there are pictures to show.
void AppendPictures(const CReport& report, const std::string& pictures, const std::string* title, bool sized,
                    bool linked);
