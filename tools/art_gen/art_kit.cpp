#include "art_kit.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace art {
namespace {

QString g_sans = u"Liberation Sans"_s;
QString g_serif = u"Liberation Serif"_s;
QString g_comic = u"Comic Neue"_s;

// One box pass along a line of premultiplied ARGB values, with transparent
// pixels assumed beyond the edges so halos fade out instead of smearing.
void BoxLine(const QRgb* in, QRgb* out, int n, int outStride, int r) {
  const int window = 2 * r + 1;
  long sum[4] = {0, 0, 0, 0};
  auto add = [&](int i, int sign) {
    if (i < 0 || i >= n) return;
    const QRgb p = in[i];
    sum[0] += sign * qAlpha(p);
    sum[1] += sign * qRed(p);
    sum[2] += sign * qGreen(p);
    sum[3] += sign * qBlue(p);
  };
  for (int i = -r; i <= r; ++i) add(i, 1);
  for (int i = 0; i < n; ++i) {
    auto avg = [&](long s) { return static_cast<int>((s + window / 2) / window); };
    out[static_cast<long>(i) * outStride] = qRgba(avg(sum[1]), avg(sum[2]), avg(sum[3]), avg(sum[0]));
    add(i - r, -1);
    add(i + r + 1, 1);
  }
}

}  // namespace

bool LoadFonts(const QString& fontDir) {
  const QStringList files = {
      u"LiberationSans-Regular.ttf"_s,    u"LiberationSans-Bold.ttf"_s,     u"LiberationSans-Italic.ttf"_s,
      u"LiberationSans-BoldItalic.ttf"_s, u"LiberationSerif-Regular.ttf"_s, u"ComicNeue-Regular.otf"_s,
  };
  bool ok = true;
  for (const QString& file : files) {
    const int id = QFontDatabase::addApplicationFont(fontDir + u'/' + file);
    if (id < 0) {
      ok = false;
      continue;
    }
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) continue;
    if (file.startsWith(u"LiberationSans"_s)) g_sans = families.first();
    if (file.startsWith(u"LiberationSerif"_s)) g_serif = families.first();
    if (file.startsWith(u"ComicNeue"_s)) g_comic = families.first();
  }
  return ok;
}

QFont MakeFont(Face face, qreal pixelSize, bool bold, bool italic, int stretch) {
  QFont font(face == Face::Sans ? g_sans : face == Face::Serif ? g_serif : g_comic);
  font.setPixelSize(qRound(pixelSize));
  font.setBold(bold);
  font.setItalic(italic);
  font.setStretch(stretch);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

namespace {
int g_scale = 1;
}  // namespace

void SetScale(int scale) { g_scale = std::max(1, scale); }
int Scale() { return g_scale; }
int LogicalWidth(const QImage& img) { return static_cast<int>(std::lround(img.width() / img.devicePixelRatio())); }
int LogicalHeight(const QImage& img) { return static_cast<int>(std::lround(img.height() / img.devicePixelRatio())); }

QImage Canvas(int width, int height, const QColor& fill) {
  QImage img(width * g_scale, height * g_scale, QImage::Format_RGB32);
  img.setDevicePixelRatio(g_scale);
  img.fill(fill);
  return img;
}

QImage Layer(int width, int height) {
  QImage img(width * g_scale, height * g_scale, QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(g_scale);
  img.fill(Qt::transparent);
  return img;
}

void Blur(QImage& layer, qreal radius) {
  if (radius <= 0.0) return;
  if (layer.format() != QImage::Format_ARGB32_Premultiplied)
    layer = layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  // Three box passes of width w approximate a Gaussian of sigma ≈ w/2.
  const int r = std::max(1, static_cast<int>(std::lround(radius * layer.devicePixelRatio() / 1.7)));
  const int w = layer.width();
  const int h = layer.height();
  std::vector<QRgb> line(static_cast<size_t>(std::max(w, h)));
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h; ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(layer.scanLine(y));
      std::copy(row, row + w, line.begin());
      BoxLine(line.data(), row, w, 1, r);
    }
    const int stride = static_cast<int>(layer.bytesPerLine() / 4);
    QRgb* base = reinterpret_cast<QRgb*>(layer.bits());
    for (int x = 0; x < w; ++x) {
      for (int y = 0; y < h; ++y) line[static_cast<size_t>(y)] = base[static_cast<long>(y) * stride + x];
      BoxLine(line.data(), base + x, h, stride, r);
    }
  }
}

void Prepare(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void DropShadow(QImage& target, const QPainterPath& path, const QColor& colour, QPointF offset, qreal radius) {
  QImage shadow = Layer(LogicalWidth(target), LogicalHeight(target));
  {
    QPainter p(&shadow);
    Prepare(p);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path.translated(offset));
  }
  Blur(shadow, radius);
  QPainter p(&target);
  p.drawImage(0, 0, shadow);
}

void Glow(QImage& target, const QPainterPath& path, const QColor& colour, qreal radius, qreal penWidth,
          qreal strength) {
  QImage layer = Layer(LogicalWidth(target), LogicalHeight(target));
  {
    QPainter p(&layer);
    Prepare(p);
    if (penWidth > 0) {
      p.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(colour);
    }
    p.drawPath(path);
  }
  Blur(layer, radius);
  QPainter p(&target);
  p.setCompositionMode(QPainter::CompositionMode_Screen);
  qreal left = strength;
  while (left > 0.001) {
    p.setOpacity(std::min<qreal>(1.0, left));
    p.drawImage(0, 0, layer);
    left -= 1.0;
  }
}

QPainterPath TextPath(const QFont& font, const QString& text, const QRectF& box, Qt::Alignment align) {
  QPainterPath raw;
  raw.addText(0, 0, font, text);
  const QRectF ink = raw.boundingRect();
  // Horizontal placement by the advance width keeps letters in a column aligned
  // the way a typesetter would; vertical placement by ink.
  qreal x = box.left() - ink.left();
  if (align & Qt::AlignHCenter) x = box.center().x() - ink.center().x();
  if (align & Qt::AlignRight) x = box.right() - ink.right();
  qreal y = box.center().y() - ink.center().y();
  if (align & Qt::AlignTop) y = box.top() - ink.top();
  if (align & Qt::AlignBottom) y = box.bottom() - ink.bottom();
  return raw.translated(x, y);
}

QPainterPath Lozenge(qreal left, qreal right, qreal top, qreal bottom, qreal inset) {
  const qreal mid = (top + bottom) / 2.0;
  QPainterPath path;
  path.moveTo(left, mid);
  path.lineTo(left + inset, top);
  path.lineTo(right - inset, top);
  path.lineTo(right, mid);
  path.lineTo(right - inset, bottom);
  path.lineTo(left + inset, bottom);
  path.closeSubpath();
  return path;
}

QPainterPath Diamond(QPointF c, qreal hw, qreal hh) {
  QPainterPath path;
  path.moveTo(c.x() - hw, c.y());
  path.lineTo(c.x(), c.y() - hh);
  path.lineTo(c.x() + hw, c.y());
  path.lineTo(c.x(), c.y() + hh);
  path.closeSubpath();
  return path;
}

QColor Mix(const QColor& a, const QColor& b, qreal t) {
  auto lerp = [t](int x, int y) { return std::clamp(static_cast<int>(std::lround(x + (y - x) * t)), 0, 255); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                lerp(a.alpha(), b.alpha()));
}

QColor Scaled(const QColor& c, qreal f) {
  auto s = [f](int x) { return std::clamp(static_cast<int>(std::lround(x * f)), 0, 255); };
  return QColor(s(c.red()), s(c.green()), s(c.blue()), c.alpha());
}

QColor WithAlpha(const QColor& c, qreal alpha) {
  QColor out = c;
  out.setAlphaF(static_cast<float>(alpha));
  return out;
}

QImage StackCells(int width, int cellHeight, int count, const std::function<void(QImage&, int)>& paintCell) {
  QImage sheet = Canvas(width, cellHeight * count);
  QPainter p(&sheet);
  for (int i = 0; i < count; ++i) {
    QImage cell = Canvas(width, cellHeight);
    paintCell(cell, i);
    p.drawImage(0, i * cellHeight, cell);
  }
  return sheet;
}

QImage RowOfCells(int cellWidth, int height, int count, const std::function<void(QImage&, int)>& paintCell) {
  QImage sheet = Canvas(cellWidth * count, height);
  QPainter p(&sheet);
  for (int i = 0; i < count; ++i) {
    QImage cell = Canvas(cellWidth, height);
    paintCell(cell, i);
    p.drawImage(i * cellWidth, 0, cell);
  }
  return sheet;
}

void Darken(QImage& img, qreal factor) {
  for (int y = 0; y < img.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = row[x];
      auto s = [factor](int v) { return std::clamp(static_cast<int>(std::lround(v * factor)), 0, 255); };
      row[x] = qRgba(s(qRed(p)), s(qGreen(p)), s(qBlue(p)), qAlpha(p));
    }
  }
}

}  // namespace art
