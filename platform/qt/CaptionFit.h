// Windows wide enough for their captions: a window manager shortens a
// caption that does not fit ("Speci…ptions"), hiding what the dialog is
// for or which item it edits.
#pragma once

class QString;
class QWidget;

namespace platform::qt {

// The width a top-level window needs to show the caption whole beside its
// icon and frame buttons.
int CaptionWidth(const QString& caption);

// Keeps the window at least as wide as its caption needs, now and whenever
// the caption changes.
void KeepCaptionVisible(QWidget& window);

}  // namespace platform::qt
