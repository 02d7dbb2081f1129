// The frame of a help window: an MDI sub-window when the program hands a
// workspace, else a top-level window. Every such window is "Image Gallery".
#pragma once

#include <QMdiSubWindow>

#include "reports/qt/HelpDocument.h"

class CHelpHtmlView;
class QMdiArea;

class CHelpMDIChildWnd : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit CHelpMDIChildWnd(QWidget* parent = nullptr);
};

inline constexpr const char kHelpWindowTitle[] = "Image Gallery";

// Opens a window of its own on the document and shows it. parent: the MDI
// area to open it in, or any widget (or null) for a top-level window. The
// window deletes itself when closed; the returned view lives as long.
CHelpHtmlView* OpenHelpWindow(const CHelpDocument& document, QWidget* parent);
