#pragma once

#include <QImage>
#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <vector>

#include "screen/element.h"
#include "screen/element_table.h"
#include "screen/text_measurer.h"
#include "element_names.h"

// Own namespace: other test files have fakes of the same names.
namespace screen_test {

/// A measurer whose results the test decides. By default every character is
/// 0.5 × size pixels wide and a line is 2 × size pixels high, wrapping at blanks.
class FakeMeasurer : public TextMeasurer {
 public:
  struct Call {
    QString text;
    CaptionFont font;
    qreal width;
  };
  std::function<QSizeF(const QString&, const CaptionFont&, qreal)> rule;
  std::function<qreal(const CaptionFont&)> reported;
  std::vector<Call> calls;

  QSizeF Measure(const QString& text, const CaptionFont& font, qreal width) override {
    calls.push_back({text, font, width});
    return rule ? rule(text, font, width) : Wrap(text, font.size, width);
  }
  qreal ReportedSize(const CaptionFont& font) override {
    return reported ? reported(font) : font.size;
  }

  std::vector<qreal> TrialSizes(qreal width) const {
    std::vector<qreal> sizes;
    for (const Call& c : calls)
      if (c.width == width) sizes.push_back(c.font.size);
    return sizes;
  }

  static QSizeF Wrap(const QString& text, qreal size, qreal width) {
    const qreal charWidth = size / 2, lineHeight = size * 2;
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
};

/// Colour of cell (column, row) in the test sheet of an element.
inline QRgb CellColour(ElementId element, int column, int row) {
  return qRgb(int(IndexOf(element)) * 4, column * 40, row * 50);
}

/// Sheets of the sizes the element table gives, each cell filled with its own colour.
inline QImage TestSheet(ElementId element) {
  const ElementSpec& spec = SpecOf(element);
  if (spec.sheet[0] == u'\0') return {};
  const ElementGrid grid = GridOf(element);
  const int cw = int(spec.width), ch = int(spec.height);
  QImage sheet(cw * grid.columns, ch * grid.rows, QImage::Format_RGB888);
  QPainter painter(&sheet);
  for (int c = 1; c <= grid.columns; ++c)
    for (int r = 1; r <= grid.rows; ++r)
      painter.fillRect((c - 1) * cw, (r - 1) * ch, cw, ch, QColor(CellColour(element, c, r)));
  return sheet;
}

}  // namespace screen_test
