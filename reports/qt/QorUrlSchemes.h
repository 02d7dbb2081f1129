// The private link schemes of the report pages. Chromium drops clicks on
// unknown schemes before the page sees a navigation, so they are made known
// to it before the application object exists; each profile then gets a
// handler that refuses to serve them, so that script navigations to them
// still reach the page's navigation check.
#pragma once

class QWebEngineProfile;

void RegisterQorUrlSchemes();
void InstallQorSchemeHandlers(QWebEngineProfile& profile);
