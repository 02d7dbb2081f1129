// The browser of the next report view, made before that view: the web
// engine's own start, the page with its scripts and channel, and the page's
// renderer process, which starts once the page has something to load. Made
// before a key is read, all of that comes up beside the reading instead of
// after it. The next report view takes it; one that no view takes goes with
// the widget that keeps it.
#pragma once

#include <chrono>

class CCustomControlSite;
class QWidget;

namespace prepared_browser {

// Makes the browser for the next report view, kept hidden under keeper.
void Prepare(QWidget* keeper);

// True while the prepared browser's blank page is on its way: its load has
// started and not yet ended.
bool BlankUnderWay();

// A renderer that never ends its blank page must not keep the program's
// window from coming up: the wait for that page ends after this at most.
inline constexpr std::chrono::milliseconds kLongestBlankWait{5000};

// Returns once the prepared browser's blank page is no longer on its way,
// or after longest, turning this thread's event loop (without the user's
// input) meanwhile. A load asked for while the blank page commits can be
// lost, leaving the view blank; a load asked for before the blank one
// started replaces it.
void FinishBlankLoad(std::chrono::milliseconds longest = kLongestBlankWait);

// The prepared browser, handed to view; else a new one made for it. Its
// page is a report page that has started loading a blank page.
CCustomControlSite* TakeFor(QWidget* view);

}  // namespace prepared_browser
