#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace art {

/// One element as the game lays it out: its box on the window, the element whose
/// sheet it paints from and the grid of that sheet.
struct ElementBox {
  int index;
  int left, top, width, height;
  int sheet;  ///< element whose sheet is painted
  int cols, rows;
  bool shown;  ///< visible right after start-up
};

/// Elements 0 … 50 in index order.
const std::vector<ElementBox>& Elements();

/// File name of an element's own sheet, empty for elements without one.
QString SheetFile(int element);

/// Draws the own sheet of `element` (which must have one) at its exact size.
QImage DrawSheet(int element);

}  // namespace art
