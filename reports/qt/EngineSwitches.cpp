#include "reports/qt/EngineSwitches.h"

#include <QByteArray>
#include <QtGlobal>

void AppendEngineSwitches() {
  static const char* const kSwitches[] = {"--webrtc-ip-handling-policy=disable_non_proxied_udp",
                                          "--force-webrtc-ip-handling-policy"};
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  for (const char* flag : kSwitches)
    if (!flags.contains(flag)) flags += QByteArray(" ") + flag;
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}
