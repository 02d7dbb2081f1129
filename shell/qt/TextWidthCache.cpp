#include "shell/qt/TextWidthCache.h"

#include <QFontMetrics>

int TextWidthCache::Width(const QFont& font, const QString& text) {
  if (font != m_font || m_widths.size() >= kMaxTexts) {
    m_widths.clear();
    m_font = font;
  }
  const auto found = m_widths.constFind(text);
  if (found != m_widths.constEnd()) return *found;
  const int width = QFontMetrics(font).horizontalAdvance(text);
  m_widths.insert(text, width);
  return width;
}
