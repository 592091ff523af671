#include "screen/sharp_sheet_cache.h"

#include <cmath>

#include "screen/element.h"
#include "screen/sheet_files.h"

SharpSheetCache::SharpSheetCache(DrawnSheetLoader drawn)
    : m_drawn(drawn ? std::move(drawn) : DrawnSheetLoader([](ElementId element) { return LoadSharpSheet(element); })),
      m_sheets(kElementCount) {}

void SharpSheetCache::SetScale(qreal scale) {
  if (std::abs(scale - m_scale) < 1e-6) return;
  m_scale = scale;
  for (std::optional<QImage>& sheet : m_sheets) sheet.reset();
}

const QImage* SharpSheetCache::Sheet(ElementId element) {
  std::optional<QImage>& slot = m_sheets[IndexOf(element)];
  if (!slot) slot = Resample(m_drawn(element), m_scale);
  return slot->isNull() ? nullptr : &*slot;
}

QImage SharpSheetCache::Resample(const QImage& drawn, qreal scale) {
  if (drawn.isNull()) return {};
  // Converted before filtering: the filter's result depends on the format it reads.
  const QImage converted = drawn.format() == QImage::Format_RGB32 ? drawn : drawn.convertToFormat(QImage::Format_RGB32);
  if (std::abs(scale - kDrawnScale) < 1e-6) return converted;
  const QSize size(qRound(drawn.width() * scale / kDrawnScale), qRound(drawn.height() * scale / kDrawnScale));
  return converted.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}
