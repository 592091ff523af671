#pragma once

#include <QBrush>
#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QPen>

#include <vector>

namespace art {

/// Sizes of the icon's pictures: the window takes them all, the desktop's hicolor
/// theme has a folder for each.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

/// One shape of the icon, as a painter and an SVG file both understand it.
struct IconLayer {
  QPainterPath path;
  QBrush brush;  ///< a colour or a linear or radial gradient
  QPen pen;      ///< Qt::NoPen or a solid colour
};

/// The icon, a gold coin with an embossed question mark, drawn at `size` pixels.
/// Small sizes get a thinner rim and lose the emboss and glint that would be mud.
std::vector<IconLayer> IconLayers(int size);

/// The icon at `size` pixels, with transparency.
QImage DrawIcon(int size);

/// The same design as a scalable SVG document (the 256-pixel layers).
QByteArray IconSvg();

}  // namespace art
