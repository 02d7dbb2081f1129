// The scripts injected into every hosted page. One, apart from the page's
// own scripts, catches the user's clicks on the private link forms before
// Chromium normalises (or drops) them and alone talks to the program; the
// other supplies what the generated pages expect of the old browser.
#pragma once

#include <QString>
#include <QWebEngineScript>

class QWebEnginePage;

// The world of the host script and of the web channel.
inline constexpr quint32 kQorHostWorld = QWebEngineScript::ApplicationWorld;

// The host script proper (without the web channel library).
QString QorHostScript();
// The shims that run beside the page's own scripts.
QString QorPageShims();

// Installs the web channel library, the host script and the shims, to run
// at document creation.
void InstallQorPageScripts(QWebEnginePage& page);
