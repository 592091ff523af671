#pragma once

#include <QColor>
#include <QtGlobal>

/// A colour packed as R + 256·G + 65536·B; kNoColour means none.
using PackedColour = qint32;
constexpr PackedColour kNoColour = -1;

constexpr PackedColour Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

inline QColor ToQColor(PackedColour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}
