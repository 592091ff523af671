#include "screen/qt_text_measurer.h"

#include "screen/fonts.h"

namespace {
// Room enough for any caption; the height of the result is what matters.
constexpr qreal kUnboundedHeight = 1e6;
// A handful of faces at the sizes the fit tries; more means something is off.
constexpr std::size_t kCacheLimit = 64;
}  // namespace

const QFontMetricsF& QtTextMeasurer::Metrics(const CaptionFont& font) {
  if (m_last < m_cache.size() && m_cache[m_last].font == font) return m_cache[m_last].metrics;
  for (std::size_t i = 0; i < m_cache.size(); ++i) {
    if (m_cache[i].font == font) {
      m_last = i;
      return m_cache[i].metrics;
    }
  }
  if (m_cache.size() >= kCacheLimit) m_cache.clear();
  m_cache.push_back({font, QFontMetricsF(ToQFont(font))});
  m_last = m_cache.size() - 1;
  return m_cache.back().metrics;
}

QSizeF QtTextMeasurer::Measure(const QString& text, const CaptionFont& font, qreal width) {
  const QFontMetricsF& metrics = Metrics(font);
  if (text.isEmpty()) return QSizeF(0, metrics.height());
  const QRectF r = metrics.boundingRect(QRectF(0, 0, width, kUnboundedHeight), CaptionTextFlags(CaptionAlign::Left),
                                        CaptionLayoutText(text));
  return r.size();
}

qreal QtTextMeasurer::ReportedSize(const CaptionFont& font) { return CaptionPixelSize(font.size) * 72.0 / 96.0; }
