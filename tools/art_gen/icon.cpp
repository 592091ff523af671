#include "icon.h"

#include "art_kit.h"

#include <QPainter>

using namespace Qt::StringLiterals;

namespace art {

std::vector<IconLayer> IconLayers(int size) {
  std::vector<IconLayer> layers;
  const bool tiny = size <= 16;
  const qreal s = size;
  const QPointF c(s / 2.0, s / 2.0);
  const qreal r = s / 2.0 - (tiny ? 0.5 : 1.0);
  const auto circle = [](QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
  };
  // Rim.
  QLinearGradient rim(0, 0, s, s);
  rim.setColorAt(0.0, QColor(255, 236, 150));
  rim.setColorAt(0.5, QColor(214, 140, 20));
  rim.setColorAt(1.0, QColor(120, 64, 0));
  layers.push_back({circle(c, r), QBrush(rim), QPen(QColor(96, 50, 0), tiny ? 1.0 : s / 32.0)});
  // Face.
  const qreal face = r * (tiny ? 0.78 : 0.8);
  QRadialGradient gold(c - QPointF(r * 0.35, r * 0.4), r * 1.3);
  gold.setColorAt(0.0, QColor(255, 246, 190));
  gold.setColorAt(0.45, QColor(250, 196, 50));
  gold.setColorAt(1.0, QColor(196, 116, 10));
  layers.push_back({circle(c, face), QBrush(gold), tiny ? QPen(Qt::NoPen) : QPen(QColor(150, 86, 0, 200), s / 48.0)});
  // The question mark, set in the bold face and embossed.
  const QFont font = MakeFont(Face::Sans, tiny ? 13 : s * 0.66, true, false);
  const QPainterPath mark = TextPath(font, u"?"_s, QRectF(0, 0, s, s + (tiny ? 0.5 : 0.0)));
  if (!tiny) layers.push_back({mark.translated(s / 48.0, s / 40.0), QBrush(QColor(255, 250, 220, 200)), Qt::NoPen});
  layers.push_back({mark, QBrush(QColor(110, 40, 0)), Qt::NoPen});
  if (!tiny) {
    // A glint on the rim.
    const QPointF at = c - QPointF(r * 0.55, r * 0.55);
    QRadialGradient glint(at, r * 0.35);
    glint.setColorAt(0.0, QColor(255, 255, 255, 200));
    glint.setColorAt(1.0, QColor(255, 255, 255, 0));
    layers.push_back({circle(at, r * 0.35), QBrush(glint), Qt::NoPen});
  }
  return layers;
}

QImage DrawIcon(int size) {
  QImage img = Layer(size, size);
  QPainter p(&img);
  Prepare(p);
  for (const IconLayer& layer : IconLayers(size)) {
    p.setBrush(layer.brush);
    p.setPen(layer.pen);
    p.drawPath(layer.path);
  }
  return img;
}

namespace {

QString Number(qreal v) { return QString::number(v, 'g', 6); }

QString Colour(const QColor& colour) { return colour.name(QColor::HexRgb); }

QString PathData(const QPainterPath& path) {
  QString d;
  QPointF start, last;
  // Closed outlines end on their start; "Z" makes the stroke join there too.
  const auto close = [&] {
    if (!d.isEmpty() && last == start) d += u'Z';
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        close();
        start = e;
        d += u'M';
        break;
      case QPainterPath::LineToElement: d += u'L'; break;
      case QPainterPath::CurveToElement: d += u'C'; break;
      case QPainterPath::CurveToDataElement: d += u' '; break;
    }
    d += Number(e.x) + u' ' + Number(e.y);
    last = e;
  }
  close();
  return d;
}

// The gradient's definition, and the fill attributes that use it or the colour.
QString Fill(const QBrush& brush, int id, QString& defs) {
  const QGradient* gradient = brush.gradient();
  if (!gradient) {
    return u"fill=\""_s + Colour(brush.color()) + u"\" fill-opacity=\""_s + Number(brush.color().alphaF()) + u'"';
  }
  const QString name = u"g%1"_s.arg(id);
  QString stops;
  for (const QGradientStop& stop : gradient->stops()) {
    stops += u"<stop offset=\""_s + Number(stop.first) + u"\" stop-color=\""_s + Colour(stop.second) +
             u"\" stop-opacity=\""_s + Number(stop.second.alphaF()) + u"\"/>"_s;
  }
  if (gradient->type() == QGradient::LinearGradient) {
    const auto* linear = static_cast<const QLinearGradient*>(gradient);
    defs += u"<linearGradient id=\""_s + name + u"\" gradientUnits=\"userSpaceOnUse\" x1=\""_s +
            Number(linear->start().x()) + u"\" y1=\""_s + Number(linear->start().y()) + u"\" x2=\""_s +
            Number(linear->finalStop().x()) + u"\" y2=\""_s + Number(linear->finalStop().y()) + u"\">"_s + stops +
            u"</linearGradient>\n"_s;
  } else {
    const auto* radial = static_cast<const QRadialGradient*>(gradient);
    defs += u"<radialGradient id=\""_s + name + u"\" gradientUnits=\"userSpaceOnUse\" cx=\""_s +
            Number(radial->center().x()) + u"\" cy=\""_s + Number(radial->center().y()) + u"\" r=\""_s +
            Number(radial->radius()) + u"\" fx=\""_s + Number(radial->focalPoint().x()) + u"\" fy=\""_s +
            Number(radial->focalPoint().y()) + u"\">"_s + stops + u"</radialGradient>\n"_s;
  }
  return u"fill=\"url(#"_s + name + u")\""_s;
}

QString Stroke(const QPen& pen) {
  if (pen.style() == Qt::NoPen) return u"stroke=\"none\""_s;
  return u"stroke=\""_s + Colour(pen.color()) + u"\" stroke-opacity=\""_s + Number(pen.color().alphaF()) +
         u"\" stroke-width=\""_s + Number(pen.widthF()) + u'"';
}

}  // namespace

QByteArray IconSvg() {
  constexpr int kSize = 256;
  QString defs, shapes;
  int id = 0;
  for (const IconLayer& layer : IconLayers(kSize)) {
    const QString rule = layer.path.fillRule() == Qt::WindingFill ? u"nonzero"_s : u"evenodd"_s;
    shapes += u"<path d=\""_s + PathData(layer.path) + u"\" "_s + Fill(layer.brush, ++id, defs) + u" fill-rule=\""_s +
              rule + u"\" "_s + Stroke(layer.pen) + u"/>\n"_s;
  }
  const QString size = QString::number(kSize);
  return (u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<!-- SPDX-License-Identifier: GPL-3.0-or-later -->\n"
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""_s +
          size + u"\" height=\""_s + size + u"\" viewBox=\"0 0 "_s + size + u' ' + size + u"\">\n<defs>\n"_s + defs +
          u"</defs>\n"_s + shapes + u"</svg>\n"_s)
      .toUtf8();
}

}  // namespace art
