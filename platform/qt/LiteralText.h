// A key's own texts (names, titles, level names) shown where Qt reads "&"
// as the mark of an access key: the text of a button, check box or radio
// button, of a label that has a buddy, of a menu entry. There a name such as
// "eckig & <kantig>" would lose its "&" and underline the next character;
// with every "&" doubled it shows as the author typed it.
#pragma once

#include <QString>
#include <string>

namespace platform::qt {

inline QString LiteralText(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }
inline QString LiteralText(const std::string& text) { return LiteralText(QString::fromStdString(text)); }

}  // namespace platform::qt
