// The owner of the region-selection dialog: it hears the dialog's requests
// synchronously and, for item steps, refills the dialog's menus before the
// request returns.
#pragma once

class ImageRegionSelectModel;

enum RegionSelectRequest {
  REQUEST_STORE = 0,     // store the current choices for the current item
  REQUEST_NEXT = 1,      // make the next item current and refill the menus
  REQUEST_PREVIOUS = 2,  // the same for the previous item
  REQUEST_MARK_ALL = 3,  // mark the focused attribute for every listed item
  REQUEST_CLEAR_ALL = 4  // clear it for every listed item
};

class IRegionSelectOwner {
 public:
  virtual ~IRegionSelectOwner() = default;
  virtual void OnRegionSelectRequest(RegionSelectRequest request, ImageRegionSelectModel& dialog) = 0;
};
