// The browser of the next report view, made before that view: the web
// engine's own start, the page with its scripts and channel, and the page's
// renderer process, which starts once the page has something to load. Made
// before a key is read, all of that comes up beside the reading instead of
// after it. The next report view takes it; one that no view takes goes with
// the widget that keeps it.
#pragma once

class CCustomControlSite;
class QWidget;

namespace prepared_browser {

// Makes the browser for the next report view, kept hidden under keeper.
void Prepare(QWidget* keeper);

// The prepared browser, handed to view; else a new one made for it. Its
// page is a report page that has started loading a blank page.
CCustomControlSite* TakeFor(QWidget* view);

}  // namespace prepared_browser
