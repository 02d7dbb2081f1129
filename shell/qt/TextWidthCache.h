// Remembers how wide a text is drawn in one font. The tree's column is sized
// to its contents, and Qt asks the width of up to a thousand labels after
// every change; shaping each of them again made a mark on a large key spend
// most of its time measuring labels that did not change.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

class TextWidthCache {
 public:
  // The font the texts are measured in; another font forgets the widths.
  void UseFont(const QFont& font);
  // The text's horizontal advance in the font, as QFontMetrics gives it.
  int Width(const QString& text);
  // The font's line height, as QFontMetrics gives it.
  int Height() const { return m_height; }

 private:
  // Bounds the cache: the labels of one key, with their counts, stay far below.
  static constexpr qsizetype kMaxTexts = 200000;
  QFont m_font;
  int m_height = QFontMetrics(m_font).height();
  QHash<QString, int> m_widths;
};
