#pragma once

#include <QImage>

#include <functional>
#include <optional>
#include <vector>

#include "screen/element_id.h"

/// The sharper sheets at the one scale the window paints. A sheet is prepared the
/// first time a face needs it (resampled from the copy drawn at 2× unless the scale
/// is 2), and the drawn copy is let go at once: memory holds one scale of the
/// sheets that were painted, and a start shows its first frame after preparing
/// only what that frame shows.
class SharpSheetCache {
 public:
  /// The sheet of an element as drawn at `kDrawnScale`; null when there is none.
  using DrawnSheetLoader = std::function<QImage(ElementId element)>;
  static constexpr qreal kDrawnScale = 2.0;

  /// `drawn`: by default the copies that travel with the program.
  explicit SharpSheetCache(DrawnSheetLoader drawn = {});

  /// Sheets prepared for another scale are dropped.
  void SetScale(qreal scale);
  qreal scale() const { return m_scale; }

  /// The sheet of `element` at the current scale; nullptr when it has no sharper copy.
  const QImage* Sheet(ElementId element);

  /// `drawn` resampled smoothly from `kDrawnScale` to `scale`, in the pixel format
  /// faces are copied from without conversion.
  static QImage Resample(const QImage& drawn, qreal scale);

 private:
  DrawnSheetLoader m_drawn;
  qreal m_scale = kDrawnScale;
  std::vector<std::optional<QImage>> m_sheets;  ///< by element; unset: not prepared yet
};
