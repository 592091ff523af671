#pragma once

#include <QFontMetricsF>

#include <vector>

#include "screen/text_measurer.h"

/// Measures captions with the real fonts `ToQFont` gives, wrapping as the painter
/// does. Keeps one font-metrics object per caption font: the question text is
/// measured several times at every tick of its reveal.
class QtTextMeasurer : public TextMeasurer {
 public:
  QSizeF Measure(const QString& text, const CaptionFont& font, qreal width) override;
  /// The size in points the pixel size actually set corresponds to (10 → 9.75).
  qreal ReportedSize(const CaptionFont& font) override;

 private:
  const QFontMetricsF& Metrics(const CaptionFont& font);

  struct Entry {
    CaptionFont font;
    QFontMetricsF metrics;
  };
  std::vector<Entry> m_cache;
  std::size_t m_last = 0;
};
