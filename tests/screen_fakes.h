#pragma once

#include <QImage>
#include <QPainter>

#include "element_names.h"
#include "screen/element.h"
#include "screen/element_table.h"
#include "tests/testing/fake_measurer.h"

// Own namespace: the engine tests have a test sheet of the same name.
namespace screen_test {

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
