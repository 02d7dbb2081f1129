#include "reports/qt/NavigationGuard.h"

#include <QRegularExpression>

namespace {

bool IsPrivateScheme(const QString& scheme) {
  return scheme.compare(QLatin1String("qorlink"), Qt::CaseInsensitive) == 0 ||
         scheme.compare(QLatin1String("qorattr"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool CNavigationGuard::IsLocal(const QUrl& url) {
  static const char* const kLocal[] = {"file", "data", "blob", "about", "qrc", "qorkey"};
  const QString scheme = url.scheme().toLower();
  for (const char* local : kLocal)
    if (scheme == QLatin1String(local)) return true;
  return false;
}

bool CNavigationGuard::IsPrivateLink(const QString& raw) {
  // The same patterns as the page script's, so both sides agree.
  static const QRegularExpression kBackslashed(QStringLiteral("^http:\\\\"), QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression kPseudo(QStringLiteral("^http://[a-z%0-9]*(end|next)/?$"),
                                          QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression kScheme(QStringLiteral("^qor(link|attr):"),
                                          QRegularExpression::CaseInsensitiveOption);
  return kBackslashed.match(raw).hasMatch() || kPseudo.match(raw).hasMatch() || kScheme.match(raw).hasMatch();
}

bool CNavigationGuard::IsWebAddress(const QString& raw) {
  if (IsPrivateLink(raw)) return false;
  const QUrl url(raw);
  const QString scheme = url.scheme().toLower();
  return url.isValid() && !url.host().isEmpty() &&
         (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool CNavigationGuard::MayLoad(const QUrl& target, QWebEnginePage::NavigationType type, const QUrl& current) {
  if (type == QWebEnginePage::NavigationTypeTyped) return true;  // only the program types
  if (IsPrivateScheme(target.scheme()) || IsPrivateLink(target.toString())) return false;
  if (IsLocal(target)) return true;
  return !current.isEmpty() && !IsLocal(current);
}
