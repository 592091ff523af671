#pragma once

#include <QSizeF>
#include <QString>

/// The font of a caption as the layout names it ("Arial Cyr", 12 points, bold …).
struct CaptionFont {
  QString face;
  qreal size = 8;  ///< points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;

  bool operator==(const CaptionFont&) const = default;
};

enum class CaptionAlign { Left = 0, Right = 1, Centre = 2 };

/// Measures word-wrapped caption text. Captions wrap at word boundaries within
/// `width`, break at CR/LF, and grow wider than `width` only for a word that does
/// not fit on a line of its own.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  /// Size of `text` laid out in `font` wrapped at `width` pixels; an empty text is
  /// one line high.
  virtual QSizeF Measure(const QString& text, const CaptionFont& font, qreal width) = 0;
  /// The size the font system actually gives for a requested size.
  virtual qreal ReportedSize(const CaptionFont& font) { return font.size; }
};
