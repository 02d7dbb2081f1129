// The script injected into every hosted page: it catches clicks on the
// private link forms before Chromium normalises (or drops) them and supplies
// what the generated pages expect of the old browser.
#pragma once

#include <QString>

class QWebEnginePage;

// The page script proper (without the web channel library).
QString QorPageScript();

// Installs the web channel library and the page script into the page, to
// run at document creation in the main world.
void InstallQorPageScripts(QWebEnginePage& page);
