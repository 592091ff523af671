#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "screen/text_measurer.h"

/// A measurer of known sizes, whose results a test may also decide itself.
class FakeMeasurer : public TextMeasurer {
 public:
  using Rule = std::function<QSizeF(const QString&, const CaptionFont&, qreal)>;
  struct Call {
    QString text;
    CaptionFont font;
    qreal width;
  };

  /// A character is 7 px wide at 10 points (0.7 px per point), a line 1.5 px per
  /// point high; text wraps by character count, CR LF breaks lines.
  static QSizeF ByCharacters(const QString& text, const CaptionFont& font, qreal width) {
    const qreal charWidth = 0.7 * font.size;
    const qreal lineHeight = 1.5 * font.size;
    const int perLine = charWidth > 0 ? std::max(1, int(std::floor(width / charWidth + 1e-9))) : 1 << 20;
    int lines = 0;
    int longest = 0;
    const QStringList parts = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    for (const QString& line : parts) {
      const int length = int(line.size());
      lines += std::max(1, (length + perLine - 1) / perLine);
      longest = std::max(longest, std::min(length, perLine));
    }
    return QSizeF(longest * charWidth, lines * lineHeight);
  }

  /// Every character is 0.5 × size pixels wide and a line is 2 × size pixels high,
  /// wrapping at blanks as a proportional font would.
  static QSizeF AtBlanks(const QString& text, const CaptionFont& font, qreal width) {
    const qreal charWidth = font.size / 2, lineHeight = font.size * 2;
    int lines = 0;
    qreal widest = 0;
    const QStringList paragraphs = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    for (const QString& paragraph : paragraphs) {
      qreal line = -1;
      ++lines;
      for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
        const qreal w = word.size() * charWidth;
        if (line < 0) {
          line = w;
        } else if (line + charWidth + w <= width) {
          line += charWidth + w;
        } else {
          widest = std::max(widest, line);
          ++lines;
          line = w;
        }
      }
      widest = std::max(widest, std::max<qreal>(line, 0));
    }
    return QSizeF(widest, lines * lineHeight);
  }

  explicit FakeMeasurer(Rule wrapping = ByCharacters) : rule(std::move(wrapping)) {}

  QSizeF Measure(const QString& text, const CaptionFont& font, qreal width) override {
    calls.push_back({text, font, width});
    return rule(text, font, width);
  }
  /// What the font system gives for a requested size; by default the size itself.
  qreal ReportedSize(const CaptionFont& font) override { return reported ? reported(font) : font.size; }

  /// The font sizes tried in boxes `width` wide, in order.
  std::vector<qreal> TrialSizes(qreal width) const {
    std::vector<qreal> sizes;
    for (const Call& c : calls)
      if (c.width == width) sizes.push_back(c.font.size);
    return sizes;
  }

  Rule rule;
  std::function<qreal(const CaptionFont&)> reported;
  std::vector<Call> calls;
};
