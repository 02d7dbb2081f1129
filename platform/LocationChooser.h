// The chooser among several places where a picture was found. The program
// installs a dialog; tests install a scripted fake. Until one is installed
// every question is answered with a skip, so nothing is touched unasked.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

class LocationChooser {
 public:
  virtual ~LocationChooser() = default;
  // The row of `candidates` the author chose, or nothing to skip the picture.
  // itemText names the record, storedLocation is the picture name it stores.
  virtual std::optional<int> ChooseLocation(const std::string& itemText, const std::string& storedLocation,
                                            const std::vector<std::string>& candidates) = 0;
};

LocationChooser& Chooser();
// Null restores the skipping chooser.
void SetLocationChooser(LocationChooser* chooser);

}  // namespace platform
