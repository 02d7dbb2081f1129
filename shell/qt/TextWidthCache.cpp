#include "shell/qt/TextWidthCache.h"

void TextWidthCache::UseFont(const QFont& font) {
  if (font == m_font) return;
  m_font = font;
  m_height = QFontMetrics(font).height();
  m_widths.clear();
}

int TextWidthCache::Width(const QString& text) {
  if (m_widths.size() >= kMaxTexts) m_widths.clear();
  const auto found = m_widths.constFind(text);
  if (found != m_widths.constEnd()) return *found;
  const int width = QFontMetrics(m_font).horizontalAdvance(text);
  m_widths.insert(text, width);
  return width;
}
