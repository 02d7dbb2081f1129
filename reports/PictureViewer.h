// The picture viewer: the "qorlink::images//N/k/title;list" links that
// picture cells write, and the page those links open in a window of its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Escapes the characters that would break the link's parts ("%", ";").
std::string EncodeViewerPart(const std::string& text);
// Restores them, and reads "%20" as a blank; one pass, the inverse of encoding.
std::string DecodeViewerPart(const std::string& text);

struct ViewerRequest {
  int first = 0;  // the picture shown first
  std::string title;
  std::vector<std::string> pictures;  // addresses as the link wrote them
};

// The text after "qorlink::images//"; nothing when a part is empty or the
// position is no number.
std::optional<ViewerRequest> ParseViewerAddress(const std::string& rest);

// The viewer page: the single-picture page for fewer than two pictures.
std::string MakeViewerPage(const ViewerRequest& request, const std::string& databasePath);
