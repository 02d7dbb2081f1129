// The private link schemes of the report pages. Chromium drops clicks on
// unknown schemes before the page sees a navigation, so they are made known
// to it; this must run before the application object exists.
#pragma once

void RegisterQorUrlSchemes();
