#include "sheets.h"

#include "art_kit.h"
#include "screen/element_table.h"

#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QStringList>

#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace art {
namespace {

// The house palette.
const QColor kRule(7, 115, 222);
const QColor kOrange(204, 102, 26);
const QColor kGreen(0, 204, 102);
const QColor kPointGreen(120, 255, 176);
const QColor kWhite(250, 252, 255);
const QColor kLadderOrange(255, 152, 40);
const QColor kIceBlue(120, 200, 255);

constexpr qreal kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------
// The glowing rules of the background. Every element that lies on or next to a
// rule gets the same light over its own art, so the rules run on unbroken where
// the elements cover the background.

QImage BuildRuleLayer() {
  QPainterPath rules;
  rules.addRect(0, 20, 640, 2);
  rules.addRect(0, 454, 640, 2);
  rules.addRect(165, 20, 2, 436);
  rules.addRect(165, 303, 475, 2);
  QImage layer = Layer(640, 480);
  {
    QPainter p(&layer);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 140, 255));
    p.drawPath(rules);
  }
  Blur(layer, 2.6);
  QImage out = Layer(640, 480);
  QPainter p(&out);
  p.setCompositionMode(QPainter::CompositionMode_Plus);
  p.drawImage(0, 0, layer);
  p.drawImage(0, 0, layer);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setPen(Qt::NoPen);
  p.setBrush(kRule);
  p.drawPath(rules);
  return out;
}

const QImage& RuleLayer() {
  static std::map<int, QImage> layers;  // one per scale drawn at
  auto found = layers.find(Scale());
  if (found == layers.end()) found = layers.emplace(Scale(), BuildRuleLayer()).first;
  return found->second;
}

void ApplyRules(QImage& cell, int left, int top) {
  QPainter p(&cell);
  p.setCompositionMode(QPainter::CompositionMode_Screen);
  const QImage& rules = RuleLayer();
  const int s = static_cast<int>(rules.devicePixelRatio());
  p.drawImage(QPoint(0, 0), rules, QRect(left * s, top * s, cell.width(), cell.height()));
}

const ElementBox& Box(int element) { return Elements().at(static_cast<size_t>(element)); }

// Stacks the cells of an element's sheet and lays the rules over each cell.
QImage ElementSheet(int element, const std::function<void(QImage&, int)>& paintCell) {
  const ElementBox& b = Box(element);
  // The leaderboard's list, track and thumb lie over the middle rule; they hide it.
  const bool coversRules = element == 36 || element == 37 || element == 40;
  auto withRules = [&](QImage& cell, int i) {
    paintCell(cell, i);
    if (!coversRules) ApplyRules(cell, b.left, b.top);
  };
  if (b.cols > 1) return RowOfCells(b.width, b.height, b.cols, withRules);
  return StackCells(b.width, b.height, b.rows, withRules);
}

QLinearGradient Vertical(qreal top, qreal bottom) { return QLinearGradient(0, top, 0, bottom); }
QLinearGradient Horizontal(qreal left, qreal right) { return QLinearGradient(left, 0, right, 0); }

// A glassy highlight over the upper part of a shape.
void Gloss(QPainter& p, const QPainterPath& shape, qreal top, qreal bottom, qreal strength) {
  QLinearGradient g = Vertical(top, top + (bottom - top) * 0.55);
  g.setColorAt(0.0, QColor(255, 255, 255, static_cast<int>(150 * strength)));
  g.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.save();
  p.setClipPath(shape);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRect(shape.boundingRect());
  p.restore();
}

void FillPath(QImage& img, const QPainterPath& path, const QBrush& brush) {
  QPainter p(&img);
  Prepare(p);
  p.setPen(Qt::NoPen);
  p.setBrush(brush);
  p.drawPath(path);
}

void StrokePath(QImage& img, const QPainterPath& path, const QColor& colour, qreal width) {
  QPainter p(&img);
  Prepare(p);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

// Crisp (hinted) text for the smallest lettering, where paths would blur.
void HintedText(QImage& img, const QFont& font, const QRectF& box, int flags, const QString& text,
                const QColor& colour) {
  QPainter p(&img);
  Prepare(p);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(box, flags, text);
}

// ---------------------------------------------------------------------------
// 0: the background.

QImage Background() {
  QImage img = Canvas(640, 480);
  {
    QPainter p(&img);
    Prepare(p);
    // A faint studio light over the panel area, which is bare between games.
    QRadialGradient stage(QPointF(403, 470), 300);
    stage.setColorAt(0.0, QColor(10, 38, 92));
    stage.setColorAt(0.45, QColor(4, 16, 44));
    stage.setColorAt(1.0, QColor(0, 0, 0));
    p.fillRect(QRect(167, 305, 473, 149), stage);
    // Floor rings, as under a quiz stage.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
      const qreal rx = 90 + i * 62;
      const qreal ry = 22 + i * 15;
      p.setPen(QPen(QColor(40, 120, 255, 70 - i * 14), 1.2));
      p.drawEllipse(QPointF(403, 430), rx, ry);
    }
    // Light beams rising from the stage.
    for (int i = 0; i < 7; ++i) {
      const qreal x = 403 + (i - 3) * 70;
      QPainterPath beam;
      beam.moveTo(403 + (i - 3) * 12, 454);
      beam.lineTo(x - 14, 305);
      beam.lineTo(x + 14, 305);
      beam.closeSubpath();
      QLinearGradient g = Vertical(454, 305);
      g.setColorAt(0.0, QColor(60, 140, 255, 34));
      g.setColorAt(1.0, QColor(60, 140, 255, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(g);
      p.drawPath(beam);
    }
    // A dark veil over the ladder column and the question area, behind the art.
    QRadialGradient veil(QPointF(403, 170), 330);
    veil.setColorAt(0.0, QColor(0, 10, 30));
    veil.setColorAt(1.0, QColor(0, 0, 0));
    p.fillRect(QRect(167, 22, 473, 281), veil);
  }
  ApplyRules(img, 0, 0);
  return img;
}

// ---------------------------------------------------------------------------
// 1: the question lozenge; 2 … 5: the answers.

void LozengeInterior(QImage& img, const QPainterPath& shape, qreal top, qreal bottom, const QColor& edge,
                     const QColor& middle) {
  QLinearGradient g = Vertical(top, bottom);
  g.setColorAt(0.0, edge);
  g.setColorAt(0.5, middle);
  g.setColorAt(1.0, edge);
  FillPath(img, shape, g);
}

QImage QuestionFrame() {
  return ElementSheet(1, [](QImage& img, int) {
    const qreal top = 6, bottom = 107, left = 8, right = 465, inset = 40;
    const qreal mid = (top + bottom) / 2.0;
    const QPainterPath shape = Lozenge(left, right, top, bottom, inset);
    QPainterPath stubs;
    stubs.moveTo(0, mid);
    stubs.lineTo(left, mid);
    stubs.moveTo(right, mid);
    stubs.lineTo(LogicalWidth(img), mid);

    Glow(img, shape, QColor(30, 120, 255), 6, 3, 1.6);
    Glow(img, stubs, QColor(30, 120, 255), 3, 2, 1.2);
    LozengeInterior(img, shape, top, bottom, QColor(6, 26, 70), QColor(0, 3, 16));
    {
      // A thin inner line gives the frame depth.
      QPainter p(&img);
      Prepare(p);
      p.setPen(QPen(QColor(60, 140, 255, 90), 1));
      p.setBrush(Qt::NoBrush);
      p.drawPath(Lozenge(left + 6, right - 6, top + 4, bottom - 4, inset - 2));
      Gloss(p, shape, top, mid, 0.10);
    }
    StrokePath(img, stubs, kWhite, 2);
    StrokePath(img, shape, kWhite, 2);
  });
}

struct AnswerLook {
  QColor outline, fillEdge, fillMiddle, letter, diamond, glow;
  bool gloss;
};

AnswerLook AnswerState(int state) {
  switch (state) {
    case 1:  // chosen
      return {kWhite, Mix(kOrange, Qt::white, 0.28), kOrange, kWhite, kWhite, QColor(255, 130, 30), true};
    case 2:  // correct
      return {kWhite, Mix(kGreen, Qt::white, 0.28), kGreen, kWhite, kWhite, QColor(40, 255, 140), true};
    case 3:  // pointed at
      return {kPointGreen,
              QColor(4, 40, 30),
              QColor(0, 6, 8),
              QColor(255, 150, 50),
              QColor(60, 255, 140),
              QColor(40, 255, 140),
              false};
    default:  // normal
      return {
          kWhite, QColor(6, 26, 70), QColor(0, 3, 16), QColor(255, 150, 50), QColor(255, 150, 50), QColor(30, 120, 255),
          false};
  }
}

QImage Answer(int element) {
  static const QStringList letters = {u"A:"_s, u"B:"_s, u"C:"_s, u"D:"_s};
  const QString& letter = letters.at(element - 2);
  // B and D start their captions a few pixels further left than A and C.
  const qreal shift = (element == 3 || element == 5) ? 4 : 0;
  return ElementSheet(element, [letter, shift](QImage& img, int state) {
    const AnswerLook look = AnswerState(state);
    const qreal w = LogicalWidth(img);
    const qreal top = 3, bottom = 48, left = 5, right = w - 6, inset = 18;
    const qreal mid = (top + bottom) / 2.0;
    const QPainterPath shape = Lozenge(left, right, top, bottom, inset);
    QPainterPath stubs;
    stubs.moveTo(0, mid);
    stubs.lineTo(left, mid);
    stubs.moveTo(right, mid);
    stubs.lineTo(w, mid);

    Glow(img, shape, look.glow, 5, 3, state == 0 ? 1.3 : 1.8);
    Glow(img, stubs, QColor(30, 120, 255), 3, 2, 1.2);
    if (look.gloss) {
      // Coloured fills keep their pure colour across the caption band.
      QLinearGradient g = Vertical(top, bottom);
      g.setColorAt(0.0, look.fillEdge);
      g.setColorAt(0.3, look.fillMiddle);
      g.setColorAt(0.7, look.fillMiddle);
      g.setColorAt(1.0, Scaled(look.fillMiddle, 0.72));
      FillPath(img, shape, g);
      QPainter p(&img);
      Prepare(p);
      Gloss(p, shape, top, mid - 6, 0.25);
    } else {
      LozengeInterior(img, shape, top, bottom, look.fillEdge, look.fillMiddle);
    }
    StrokePath(img, stubs, state == 3 ? kPointGreen : kWhite, 2);
    StrokePath(img, shape, look.outline, 2);

    const QPainterPath diamond = Diamond(QPointF(15.5 - shift * 0.5, mid), 4, 5);
    if (!look.gloss) Glow(img, diamond, look.diamond, 3, 0, 1.2);
    FillPath(img, diamond, look.diamond);
    const QPainterPath text = TextPath(MakeFont(Face::Sans, 16 - shift / 4, true, false), letter,
                                       QRectF(22.5 - shift, 0, 16, 2 * mid), Qt::AlignLeft | Qt::AlignVCenter);
    if (!look.gloss) Glow(img, text, look.letter, 3, 0, 0.9);
    FillPath(img, text, look.letter);
  });
}

// ---------------------------------------------------------------------------
// 6, 7, 35: window buttons; 8: the title strip. They share one band of colour.

void TopBand(QImage& img, qreal factor) {
  QPainter p(&img);
  Prepare(p);
  QLinearGradient g = Vertical(0, 20);
  g.setColorAt(0.0, Scaled(QColor(30, 150, 120), factor));
  g.setColorAt(0.45, Scaled(QColor(12, 86, 120), factor));
  g.setColorAt(1.0, Scaled(QColor(6, 34, 104), factor));
  p.fillRect(img.rect(), g);
  QLinearGradient gloss = Vertical(0, 9);
  gloss.setColorAt(0.0, QColor(255, 255, 255, static_cast<int>(70 * factor)));
  gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.fillRect(QRect(0, 0, LogicalWidth(img), 9), gloss);
}

QImage WindowButton(int element) {
  return ElementSheet(element, [element](QImage& img, int state) {
    TopBand(img, state == 1 ? 0.62 : 1.0);
    QImage icon = Layer(LogicalWidth(img), LogicalHeight(img));
    {
      QPainter p(&icon);
      Prepare(p);
      const qreal shift = state == 1 ? 1.0 : 0.0;
      p.translate(shift, shift);
      p.setPen(QPen(kWhite, 1.2));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(4.5, 3.5, 12, 12), 1.5, 1.5);
      if (element == 6) {
        p.setPen(QPen(kWhite, 1.7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7.6, 6.6), QPointF(13.4, 12.4));
        p.drawLine(QPointF(13.4, 6.6), QPointF(7.6, 12.4));
      } else if (element == 7) {
        QPainterPath tri;
        tri.moveTo(6.8, 7.4);
        tri.lineTo(14.2, 7.4);
        tri.lineTo(10.5, 12.4);
        tri.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kWhite);
        p.drawPath(tri);
      } else {
        p.fillRect(QRectF(7, 11, 7, 2), kWhite);
      }
    }
    if (state == 1) Blur(icon, 1.0);
    if (state == 2) {
      QPainterPath square;
      square.addRoundedRect(QRectF(4.5, 3.5, 12, 12), 1.5, 1.5);
      Glow(img, square, QColor(255, 255, 255), 3.0, 2.0, 1.4);
    }
    QPainter p(&img);
    p.drawImage(0, 0, icon);
    if (state == 1) p.drawImage(0, 0, icon);
    // Hairline seams set the buttons apart from the title strip.
    p.fillRect(QRect(0, 0, 1, LogicalHeight(img)), QColor(0, 14, 36));
    p.fillRect(QRect(LogicalWidth(img) - 1, 0, 1, LogicalHeight(img)), QColor(0, 14, 36));
  });
}

QImage TitleStrip() {
  return ElementSheet(8, [](QImage& img, int state) {
    TopBand(img, 1.0);
    QFont font = MakeFont(Face::Sans, 14, false, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3.5);
    const QString title = u"О, фартовик!"_s;
    const QRectF band(0, 0, LogicalWidth(img), 19);
    const QPainterPath text = TextPath(font, title, band);
    const QRectF ink = text.boundingRect();
    // Ornaments: hairlines fading out from the title, ending in small diamonds.
    QPainterPath ornament;
    const qreal cy = band.center().y() + 0.5;
    for (int side = -1; side <= 1; side += 2) {
      const qreal start = side < 0 ? ink.left() - 14 : ink.right() + 14;
      ornament.addPath(Diamond(QPointF(start, cy), 3.5, 3.5));
    }
    {
      QPainter p(&img);
      Prepare(p);
      for (int side = -1; side <= 1; side += 2) {
        const qreal start = side < 0 ? ink.left() - 20 : ink.right() + 20;
        const qreal end = side < 0 ? 40 : LogicalWidth(img) - 40;
        QLinearGradient g = Horizontal(start, end);
        g.setColorAt(0.0, QColor(210, 240, 255, 200));
        g.setColorAt(1.0, QColor(210, 240, 255, 0));
        p.fillRect(QRectF(std::min(start, end), cy - 0.5, std::abs(end - start), 1.0), g);
      }
    }
    Glow(img, ornament, QColor(160, 230, 255), 2.5, 0, 1.0);
    FillPath(img, ornament, QColor(225, 245, 255));
    Glow(img, text, state == 1 ? QColor(170, 235, 255) : QColor(120, 200, 255), 3.5, 0, state == 1 ? 2.0 : 1.5);
    FillPath(img, text, state == 1 ? QColor(255, 255, 255) : QColor(232, 244, 255));
  });
}

// ---------------------------------------------------------------------------
// 9, 10, 11: the lifelines.

QPainterPath FiftyEmblem(QPointF c) {
  return TextPath(MakeFont(Face::Sans, 25, true, false), u"50/50"_s, QRectF(c.x() - 40, c.y() - 15, 80, 30));
}

QPainterPath HandsetEmblem(QPointF c) {
  QPainterPath grip;
  grip.moveTo(-17, -1);
  grip.quadTo(0, -13, 17, -1);
  QPainterPathStroker stroker;
  stroker.setWidth(8.5);
  stroker.setCapStyle(Qt::FlatCap);
  QPainterPath handset = stroker.createStroke(grip);
  QPainterPath piece;
  piece.addRoundedRect(QRectF(-10, -4.5, 20, 10.5), 5, 5);
  for (int side = -1; side <= 1; side += 2) {
    QTransform t;
    t.translate(side * 20.5, 3.5);
    t.rotate(side * 16);
    handset = handset.united(t.map(piece));
  }
  handset = handset.simplified();

  // The coiled cord hangs from the mouthpiece and curls back under the handset.
  QPainterPath cord;
  const int steps = 240;
  const QPointF a(21, 9), b(30, 23), d(6, 25);
  for (int i = 0; i <= steps; ++i) {
    const qreal t = static_cast<qreal>(i) / steps;
    const QPointF base = (1 - t) * (1 - t) * a + 2 * (1 - t) * t * b + t * t * d;
    QPointF tangent = 2 * (1 - t) * (b - a) + 2 * t * (d - b);
    tangent /= std::hypot(tangent.x(), tangent.y());
    const QPointF normal(-tangent.y(), tangent.x());
    const qreal phase = t * 2 * kPi * 6.5;
    const QPointF p = base + normal * (2.6 * std::sin(phase)) + tangent * (2.2 * std::cos(phase));
    if (i == 0) cord.moveTo(p);
    else cord.lineTo(p);
  }
  QPainterPathStroker cordStroke;
  cordStroke.setWidth(1.6);
  cordStroke.setCapStyle(Qt::RoundCap);
  cordStroke.setJoinStyle(Qt::RoundJoin);
  QPainterPath all = handset;
  all.setFillRule(Qt::WindingFill);  // the coil's loops overlap and must stay solid
  all.addPath(cordStroke.createStroke(cord));
  QTransform place;
  place.translate(c.x() - 2, c.y() - 7);
  place.scale(1.12, 1.12);
  return place.map(all);
}

QPainterPath PeopleEmblem(QPointF c, QPainterPath* frontEdge) {
  auto person = [](qreal x, qreal y, qreal scale) {
    QPainterPath p;
    p.addEllipse(QPointF(x, y - 9 * scale), 5.2 * scale, 5.6 * scale);
    QPainterPath body;
    body.addRoundedRect(QRectF(x - 11 * scale, y - 1.5 * scale, 22 * scale, 22 * scale), 9 * scale, 9 * scale);
    QPainterPath cut;
    cut.addRect(QRectF(x - 20, y - 30, 40, 30 + 14 * scale));
    p.addPath(body.intersected(cut));
    return p.simplified();
  };
  const QPainterPath leftP = person(c.x() - 17, c.y() + 1, 0.85);
  const QPainterPath rightP = person(c.x() + 17, c.y() + 1, 0.85);
  const QPainterPath front = person(c.x(), c.y() + 2, 1.05);
  if (frontEdge) *frontEdge = front;
  QPainterPath all = leftP.united(rightP);
  QPainterPathStroker gap;
  gap.setWidth(4);
  all = all.subtracted(gap.createStroke(front).united(front));
  all.addPath(front);
  return all;
}

QImage Lifeline(int element) {
  return ElementSheet(element, [element](QImage& img, int state) {
    const QPointF c(79, 33.5);
    QPainterPath ellipse;
    ellipse.addEllipse(c, 56, 27);
    QPainterPath emblem;
    if (element == 9) emblem = FiftyEmblem(c);
    else if (element == 10) emblem = HandsetEmblem(c);
    else emblem = PeopleEmblem(c, nullptr);

    const bool pointed = state == 2;
    const QColor rim = pointed ? kPointGreen : state == 3 ? QColor(150, 156, 170) : kWhite;
    const QColor glow = pointed ? QColor(40, 255, 140) : QColor(30, 120, 255);
    Glow(img, ellipse, glow, 5, 3, pointed ? 2.2 : state == 3 ? 0.6 : 1.3);
    QRadialGradient fill(c, 56);
    fill.setColorAt(0.0, pointed ? QColor(4, 60, 40) : state == 1 ? QColor(2, 14, 36) : QColor(8, 36, 90));
    fill.setColorAt(1.0, QColor(0, 4, 14));
    {
      QPainter p(&img);
      Prepare(p);
      p.setPen(Qt::NoPen);
      p.setBrush(fill);
      QTransform squash;
      squash.translate(c.x(), c.y());
      squash.scale(1.0, 27.0 / 56.0);
      squash.translate(-c.x(), -c.y());
      p.setTransform(squash);
      p.drawEllipse(c, 56, 56);
      p.resetTransform();
      Gloss(p, ellipse, c.y() - 27, c.y(), 0.12);
      // An inner ring, as on the question frame.
      p.setPen(QPen(pointed ? QColor(80, 255, 170, 90) : QColor(60, 140, 255, state == 3 ? 40 : 90), 1));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c, 51, 22.5);
    }
    StrokePath(img, ellipse, rim, 2);

    const QColor ink = pointed ? QColor(210, 255, 228) : state == 1 ? QColor(215, 220, 232) : kWhite;
    Glow(img, emblem, pointed ? QColor(40, 255, 140) : QColor(120, 190, 255), 3, 0, pointed ? 2.0 : 0.8);
    FillPath(img, emblem, ink);

    if (state == 1 || state == 3) {
      QPainterPath cross;
      const qreal dx = state == 1 ? 44 : 30, dy = state == 1 ? 21 : 19;
      cross.moveTo(c.x() - dx, c.y() - dy);
      cross.lineTo(c.x() + dx, c.y() + dy);
      cross.moveTo(c.x() + dx, c.y() - dy);
      cross.lineTo(c.x() - dx, c.y() + dy);
      if (state == 1) {
        QPainter p(&img);
        Prepare(p);
        p.setPen(QPen(QColor(230, 40, 40, 110), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cross);
      } else {
        Glow(img, cross, QColor(255, 30, 20), 4, 8, 1.2);
        StrokePath(img, cross, QColor(70, 0, 0), 9);
        QPainter p(&img);
        Prepare(p);
        QLinearGradient red = Vertical(c.y() - dy, c.y() + dy);
        red.setColorAt(0.0, QColor(255, 70, 50));
        red.setColorAt(1.0, QColor(190, 0, 0));
        p.setPen(QPen(QBrush(red), 6.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cross);
      }
    }
  });
}

// ---------------------------------------------------------------------------
// 12 … 26: the prize ladder.

const QStringList& LadderSums() {
  static const QStringList sums = {
      // Grouped with a thin space, as the game writes sums everywhere.
      u"100"_s,         u"200"_s,          u"300"_s,          u"500"_s,          u"1\u2009000"_s,
      u"2\u2009000"_s,  u"4\u2009000"_s,   u"8\u2009000"_s,   u"16\u2009000"_s,  u"32\u2009000"_s,
      u"64\u2009000"_s, u"125\u2009000"_s, u"250\u2009000"_s, u"500\u2009000"_s, u"1\u2009000\u2009000"_s,
  };
  return sums;
}

QImage LadderRow(int element) {
  const int question = element - 11;
  const bool safe = question % 5 == 0;
  return ElementSheet(element, [question, safe](QImage& img, int state) {
    const qreal mid = LogicalHeight(img) / 2.0;
    const QFont font = MakeFont(Face::Sans, 16, true, false, 86);
    if (state == 2) {
      const QPainterPath bar = Lozenge(3, 160, mid - 11, mid + 11, 9);
      Glow(img, bar, QColor(255, 120, 20), 4, 0, 1.2);
      QLinearGradient g = Vertical(mid - 11, mid + 11);
      g.setColorAt(0.0, Mix(kOrange, Qt::white, 0.35));
      g.setColorAt(0.35, kOrange);
      g.setColorAt(0.65, kOrange);
      g.setColorAt(1.0, Scaled(kOrange, 0.7));
      FillPath(img, bar, g);
      StrokePath(img, bar, QColor(255, 200, 140), 1);
    }
    const QColor ink = state == 0 ? (safe ? kWhite : kLadderOrange) : kWhite;
    const QPainterPath number =
        TextPath(font, QString::number(question), QRectF(0, 0, 30, 2 * mid), Qt::AlignRight | Qt::AlignVCenter);
    const QPainterPath sum =
        TextPath(font, LadderSums().at(question - 1), QRectF(0, 0, 150, 2 * mid), Qt::AlignRight | Qt::AlignVCenter);
    QPainterPath text = number;
    text.addPath(sum);
    if (state >= 1) text.addPath(Diamond(QPointF(42, mid), 4, 5));
    if (state == 2) {
      // A soft shadow keeps white lettering legible on the bright bar.
      DropShadow(img, text, QColor(90, 30, 0, 200), QPointF(0.8, 1.0), 1.2);
    } else {
      Glow(img, text, safe || state == 1 ? QColor(120, 180, 255) : QColor(255, 110, 0), 3, 0, 0.8);
    }
    FillPath(img, text, ink);
  });
}

// ---------------------------------------------------------------------------
// 27: phone panel; 28: poll panel; 29: poll bar.

void PanelGround(QImage& img, QPointF light) {
  QPainter p(&img);
  Prepare(p);
  QRadialGradient g(light, 260);
  g.setColorAt(0.0, QColor(8, 30, 74));
  g.setColorAt(0.6, QColor(2, 10, 28));
  g.setColorAt(1.0, QColor(0, 0, 0));
  p.fillRect(img.rect(), g);
}

QPainterPath RoundRect(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

/// Where a band's lower shadow begins (as a fraction of its height) and its colour.
struct BandShade {
  qreal from;
  QColor colour;
};

/// A gradient band with a shadow toward its bottom and a gloss over its top: the
/// look the poll bars and the clock strip share.
void GlossyBand(QPainter& p, const QPainterPath& band, const QLinearGradient& colours, qreal top, qreal bottom,
                const BandShade& shade, qreal glossBottom, qreal glossStrength) {
  p.setPen(Qt::NoPen);
  p.setBrush(colours);
  p.drawPath(band);
  QLinearGradient depth = Vertical(top, bottom);
  depth.setColorAt(shade.from, QColor(0, 0, 0, 0));
  depth.setColorAt(1.0, shade.colour);
  p.setBrush(depth);
  p.drawPath(band);
  Gloss(p, band, top, glossBottom, glossStrength);
}

void DrawPhone(QImage& img, const QTransform& place) {
  QImage layer = Layer(LogicalWidth(img), LogicalHeight(img));
  {
    QPainter p(&layer);
    Prepare(p);
    p.setTransform(place);
    // Antenna.
    QLinearGradient ant = Horizontal(10, 18);
    ant.setColorAt(0.0, QColor(50, 52, 60));
    ant.setColorAt(0.5, QColor(120, 124, 136));
    ant.setColorAt(1.0, QColor(40, 42, 48));
    p.setPen(QPen(QColor(20, 20, 24), 0.8));
    p.setBrush(ant);
    p.drawRoundedRect(QRectF(9, -66, 9, 20), 3.5, 3.5);
    // Body.
    QLinearGradient body = Horizontal(-24, 24);
    body.setColorAt(0.0, QColor(110, 116, 128));
    body.setColorAt(0.22, QColor(238, 241, 246));
    body.setColorAt(0.55, QColor(196, 202, 212));
    body.setColorAt(0.85, QColor(150, 156, 168));
    body.setColorAt(1.0, QColor(90, 94, 104));
    p.setPen(QPen(QColor(50, 52, 60), 1.0));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-24, -53, 48, 106), 13, 13);
    // Earpiece.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 42, 50));
    p.drawRoundedRect(QRectF(-8, -47, 16, 3), 1.5, 1.5);
    // Screen.
    p.setBrush(QColor(34, 38, 46));
    p.drawRoundedRect(QRectF(-18, -41, 36, 31), 4, 4);
    QLinearGradient lcd = Vertical(-38, -13);
    lcd.setColorAt(0.0, QColor(190, 245, 140));
    lcd.setColorAt(1.0, QColor(90, 180, 60));
    p.setBrush(lcd);
    p.drawRoundedRect(QRectF(-15, -38, 30, 25), 2, 2);
    p.setBrush(QColor(30, 80, 20));
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(-12 + i * 2.6, -20 - i * 2.2, 1.8, 2.2 + i * 2.2));
    p.drawRect(QRectF(0, -33, 12, 1.6));
    p.drawRect(QRectF(0, -29, 9, 1.6));
    p.drawRect(QRectF(0, -25, 11, 1.6));
    // Navigation key and keypad.
    QLinearGradient key = Vertical(-6, 50);
    key.setColorAt(0.0, QColor(250, 250, 252));
    key.setColorAt(1.0, QColor(170, 176, 188));
    p.setPen(QPen(QColor(70, 74, 84), 0.7));
    p.setBrush(key);
    p.drawRoundedRect(QRectF(-10, -6, 20, 8), 4, 4);
    for (int row = 0; row < 4; ++row) {
      for (int col = 0; col < 3; ++col) {
        p.drawRoundedRect(QRectF(-17 + col * 12.5, 6 + row * 10, 10, 6.5), 2.5, 2.5);
      }
    }
    // A sheen along the left side.
    QLinearGradient sheen = Horizontal(-22, -8);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 90));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(QRectF(-22, -50, 14, 100), 6, 6);
  }
  // A drop shadow and a blue rim light, then the phone itself.
  QImage shadow = layer.copy();
  {
    QPainter p(&shadow);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(shadow.rect(), QColor(60, 150, 255));
  }
  Blur(shadow, 9);
  QPainter p(&img);
  p.setCompositionMode(QPainter::CompositionMode_Screen);
  p.drawImage(0, 0, shadow);
  p.drawImage(0, 0, shadow);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(0, 0, layer);
}

QImage PhonePanel() {
  return ElementSheet(27, [](QImage& img, int) {
    PanelGround(img, QPointF(70, 75));
    // Signal waves from the antenna.
    QPainterPath waves;
    for (int i = 0; i < 3; ++i) {
      const qreal r = 10 + i * 8;
      waves.arcMoveTo(QRectF(QPointF(92, 22) - QPointF(r, r), QSizeF(2 * r, 2 * r)), -40);
      waves.arcTo(QRectF(QPointF(92, 22) - QPointF(r, r), QSizeF(2 * r, 2 * r)), -40, 80);
    }
    Glow(img, waves, kIceBlue, 3, 2, 1.2);
    StrokePath(img, waves, QColor(170, 225, 255), 1.6);
    QTransform place;
    place.translate(64, 80);
    place.rotate(-16);
    DrawPhone(img, place);
  });
}

constexpr int kPollBarX = 34;  // poll bars within the poll panel
constexpr int kPollBarY[4] = {14, 48, 82, 116};

QImage PollPanel() {
  return ElementSheet(28, [](QImage& img, int) {
    PanelGround(img, QPointF(250, 75));
    static const QStringList letters = {u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    QPainterPath text;
    for (int i = 0; i < 4; ++i) {
      const qreal y = kPollBarY[i];
      text.addPath(TextPath(MakeFont(Face::Sans, 19, true, false), letters.at(i), QRectF(6, y, 22, 19)));
      QPainter p(&img);
      Prepare(p);
      // Percentage slot.
      p.setPen(QPen(QColor(70, 72, 84), 1));
      p.setBrush(QColor(24, 24, 30));
      p.drawRoundedRect(QRectF(kPollBarX + 0.5, y + 1.5, 36, 16), 3, 3);
      // The band the bar grows over.
      QLinearGradient band = Horizontal(kPollBarX + 39, kPollBarX + 434);
      band.setColorAt(0.0, QColor(74, 12, 62));
      band.setColorAt(1.0, QColor(12, 24, 84));
      p.setPen(QPen(QColor(60, 50, 110), 1));
      p.setBrush(band);
      p.drawRoundedRect(QRectF(kPollBarX + 39.5, y + 2.5, 394, 14), 4, 4);
      QLinearGradient shade = Vertical(y + 2, y + 17);
      shade.setColorAt(0.0, QColor(0, 0, 0, 110));
      shade.setColorAt(0.5, QColor(0, 0, 0, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(shade);
      p.drawRoundedRect(QRectF(kPollBarX + 40, y + 3, 393, 13), 4, 4);
    }
    Glow(img, text, QColor(60, 170, 255), 4, 0, 2.0);
    FillPath(img, text, QColor(200, 236, 255));
  });
}

QImage PollBar() {
  return ElementSheet(29, [](QImage& img, int) {
    QPainter p(&img);
    Prepare(p);
    QLinearGradient slot = Vertical(1, 18);
    slot.setColorAt(0.0, QColor(70, 72, 82));
    slot.setColorAt(1.0, QColor(36, 36, 44));
    p.setPen(QPen(QColor(110, 112, 126), 1));
    p.setBrush(slot);
    p.drawRoundedRect(QRectF(0.5, 1.5, 36, 16), 3, 3);
    const QPainterPath band = RoundRect(QRectF(39, 2, 395, 15), 4);
    QLinearGradient g = Horizontal(39, 434);
    g.setColorAt(0.0, QColor(255, 96, 196));
    g.setColorAt(0.45, QColor(170, 90, 255));
    g.setColorAt(1.0, QColor(40, 120, 255));
    GlossyBand(p, band, g, 2, 17, {0.5, QColor(0, 0, 40, 110)}, 10, 0.55);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(RoundRect(QRectF(39.5, 2.5, 394, 14), 4));
  });
}

// ---------------------------------------------------------------------------
// 33, 34: the clock strip; 45: take the money.

QImage ClockStrip(int element) {
  const qreal brightness = element == 34 ? 1.0 : 0.42;
  const ElementBox& b = Box(element);
  QImage img = Canvas(b.width, b.height);
  {
    QPainter p(&img);
    Prepare(p);
    QLinearGradient slot = Vertical(4, 22);
    slot.setColorAt(0.0, QColor(10, 10, 16));
    slot.setColorAt(1.0, QColor(30, 30, 40));
    p.setPen(QPen(QColor(60, 64, 80), 1));
    p.setBrush(slot);
    p.drawRoundedRect(QRectF(2.5, 4.5, 35, 17), 4, 4);

    const QRectF bandRect(41, 5, 543, 16);
    const QPainterPath band = RoundRect(bandRect, 5);
    QLinearGradient g = Horizontal(bandRect.left(), bandRect.right());
    g.setColorAt(0.0, QColor(20, 200, 70));
    g.setColorAt(0.5, QColor(250, 220, 40));
    g.setColorAt(1.0, QColor(235, 40, 30));
    GlossyBand(p, band, g, 5, 21, {0.45, QColor(0, 0, 0, 120)}, 13, 0.6);
    // The status strip: a scale of ticks with chevrons between the marks.
    p.save();
    p.setClipPath(band);
    for (int x = 48, i = 0; x < 582; x += 6, ++i) {
      const bool major = i % 10 == 0;
      p.fillRect(QRectF(x, major ? 12 : 16, 1, major ? 9 : 5), QColor(0, 0, 0, major ? 130 : 80));
    }
    QPainterPath chevrons;
    for (int x = 48 + 30; x < 570; x += 60) {
      chevrons.moveTo(x - 3, 7.5);
      chevrons.lineTo(x + 1, 10);
      chevrons.lineTo(x - 3, 12.5);
      chevrons.moveTo(x + 2, 7.5);
      chevrons.lineTo(x + 6, 10);
      chevrons.lineTo(x + 2, 12.5);
    }
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevrons);
    p.restore();
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(RoundRect(bandRect.adjusted(0.5, 0.5, -0.5, -0.5), 5));
  }
  if (brightness < 1.0) Darken(img, brightness);
  else Glow(img, RoundRect(QRectF(41, 5, 543, 16), 5), QColor(255, 200, 60), 3, 1.5, 0.5);
  ApplyRules(img, b.left, b.top);
  return img;
}

QImage TakeMoney() {
  return ElementSheet(45, [](QImage& img, int state) {
    const QRectF ovalRect(1.5, 2.5, 50, 21);
    QPainterPath oval;
    oval.addEllipse(ovalRect);
    const bool used = state == 3;
    if (state == 2) Glow(img, oval, QColor(255, 200, 60), 2.5, 2, 1.5);
    QRadialGradient gold(ovalRect.center() - QPointF(4, 4), 30);
    gold.setColorAt(0.0, used ? QColor(215, 190, 140) : QColor(255, 236, 140));
    gold.setColorAt(0.5, used ? QColor(180, 140, 80) : QColor(240, 170, 40));
    gold.setColorAt(1.0, used ? QColor(110, 80, 40) : QColor(160, 86, 10));
    FillPath(img, oval, gold);
    {
      QPainter p(&img);
      Prepare(p);
      Gloss(p, oval, 2.5, 12, 0.45);
    }
    StrokePath(img, oval, used ? QColor(170, 150, 120) : QColor(255, 232, 160), 1);
    const QFont font = MakeFont(Face::Sans, 9, true, false);
    auto words = [&](const QPointF& shift, const QColor& colour) {
      HintedText(img, font, QRectF(0, 3, 53, 10).translated(shift), Qt::AlignCenter, u"Взять"_s, colour);
      HintedText(img, font, QRectF(0, 12, 53, 10).translated(shift), Qt::AlignCenter, u"деньги"_s, colour);
    };
    const QPointF around[] = {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)};
    switch (state) {
      case 0: words(QPointF(), QColor(0, 96, 24)); break;
      case 1:
        for (const QPointF& d : around) words(d, QColor(0, 150, 50));
        words(QPointF(), QColor(210, 0, 0));
        break;
      case 2:
        for (const QPointF& d : around) words(d, QColor(0, 60, 10));
        words(QPointF(), QColor(90, 255, 110));
        break;
      default: words(QPointF(), QColor(170, 20, 10)); break;
    }
  });
}

// ---------------------------------------------------------------------------
// 36 … 40 and 50: the leaderboard.

QImage Leaderboard() {
  return ElementSheet(36, [](QImage& img, int) {
    QPainter p(&img);
    Prepare(p);
    const int h = LogicalHeight(img);
    QLinearGradient magenta = Horizontal(1, 30);
    magenta.setColorAt(0.0, QColor(40, 0, 34));
    magenta.setColorAt(0.5, QColor(66, 6, 54));
    magenta.setColorAt(1.0, QColor(40, 0, 34));
    p.fillRect(QRect(1, 1, 29, h - 2), magenta);
    QLinearGradient blue = Horizontal(30, 366);
    blue.setColorAt(0.0, QColor(2, 8, 34));
    blue.setColorAt(0.5, QColor(14, 36, 96));
    blue.setColorAt(1.0, QColor(2, 8, 34));
    p.fillRect(QRect(30, 1, 336, h - 2), blue);
    QLinearGradient green = Horizontal(375, 449);
    green.setColorAt(0.0, QColor(2, 30, 8));
    green.setColorAt(0.5, QColor(10, 56, 18));
    green.setColorAt(1.0, QColor(2, 30, 8));
    p.fillRect(QRect(375, 1, 74, h - 2), green);
    // Depth: the bands fade towards the top and bottom edges.
    QLinearGradient fade = Vertical(0, h);
    fade.setColorAt(0.0, QColor(0, 0, 0, 90));
    fade.setColorAt(0.08, QColor(0, 0, 0, 0));
    fade.setColorAt(0.92, QColor(0, 0, 0, 0));
    fade.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.fillRect(img.rect(), fade);
    // Separators between the bands, lit at their middle.
    for (const qreal x : {30.0, 365.0, 374.0}) {
      QLinearGradient line = Vertical(0, h);
      line.setColorAt(0.0, QColor(90, 120, 170, 40));
      line.setColorAt(0.5, QColor(120, 160, 220, 160));
      line.setColorAt(1.0, QColor(90, 120, 170, 40));
      p.fillRect(QRectF(x, 1, 1, h - 2), line);
    }
    p.setPen(QPen(QColor(96, 116, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, LogicalWidth(img) - 1, h - 1));
  });
}

QImage LeaderboardHeader() {
  return ElementSheet(50, [](QImage& img, int) {
    const int w = LogicalWidth(img), h = LogicalHeight(img);
    {
      QPainter p(&img);
      Prepare(p);
      QLinearGradient blue = Vertical(0, h);
      blue.setColorAt(0.0, QColor(50, 110, 210));
      blue.setColorAt(0.5, QColor(20, 56, 140));
      blue.setColorAt(1.0, QColor(8, 24, 80));
      p.fillRect(img.rect(), blue);
      QPainterPath corner;
      corner.moveTo(0, 0);
      corner.lineTo(42, 0);
      corner.lineTo(35, h);
      corner.lineTo(0, h);
      corner.closeSubpath();
      QLinearGradient magenta = Vertical(0, h);
      magenta.setColorAt(0.0, QColor(190, 40, 150));
      magenta.setColorAt(1.0, QColor(80, 0, 64));
      p.setPen(Qt::NoPen);
      p.setBrush(magenta);
      p.drawPath(corner);
      QPainterPath right;
      right.moveTo(372, 0);
      right.lineTo(w, 0);
      right.lineTo(w, h);
      right.lineTo(366, h);
      right.closeSubpath();
      QLinearGradient green = Vertical(0, h);
      green.setColorAt(0.0, QColor(50, 160, 50));
      green.setColorAt(1.0, QColor(8, 60, 16));
      p.setBrush(green);
      p.drawPath(right);
      Gloss(p, RoundRect(QRectF(0, 0, w, h), 0), 0, 11, 0.35);
      p.fillRect(QRect(0, h - 1, w, 1), QColor(140, 180, 240, 120));
    }
    const QColor ink(214, 240, 70);
    QPainterPath text;
    // A little in from the panel's edge, so that the word does not touch it.
    text.addPath(TextPath(MakeFont(Face::Sans, 8, true, true), u"Место"_s, QRectF(2, 1, 31, h)));
    text.addPath(TextPath(MakeFont(Face::Sans, 14, true, true), u"Имя"_s, QRectF(36, 1, 327, h)));
    text.addPath(TextPath(MakeFont(Face::Sans, 14, true, true), u"Деньги"_s, QRectF(369, 1, 82, h)));
    DropShadow(img, text, QColor(0, 0, 0, 220), QPointF(0.8, 1.0), 1.0);
    FillPath(img, text, ink);
  });
}

QImage ScrollTrack() {
  return ElementSheet(37, [](QImage& img, int column) {
    QPainter p(&img);
    Prepare(p);
    const int h = LogicalHeight(img);
    if (column == 1) {
      QLinearGradient brown = Horizontal(0, 22);
      brown.setColorAt(0.0, QColor(50, 24, 8));
      brown.setColorAt(0.5, QColor(132, 76, 30));
      brown.setColorAt(1.0, QColor(50, 24, 8));
      p.fillRect(img.rect(), brown);
      p.setPen(QPen(QColor(170, 110, 50), 1));
    } else {
      QLinearGradient groove = Horizontal(0, 22);
      groove.setColorAt(0.0, QColor(0, 0, 0));
      groove.setColorAt(0.5, QColor(4, 12, 30));
      groove.setColorAt(1.0, QColor(0, 0, 0));
      p.fillRect(img.rect(), groove);
      p.fillRect(QRectF(10.5, 4, 1, h - 8), QColor(30, 70, 150, 120));
      p.setPen(QPen(QColor(40, 96, 210), 1));
    }
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 21, h - 1));
  });
}

QImage ScrollButton(int element) {
  const bool up = element == 38;
  return ElementSheet(element, [up](QImage& img, int state) {
    const QPointF c(11, 11);
    QPainterPath disc;
    disc.addEllipse(c, 9.2, 9.2);
    {
      QPainter p(&img);
      Prepare(p);
      if (state > 0) {
        QRadialGradient g(c - QPointF(2.5, 3), 11);
        g.setColorAt(0.0, state == 1 ? QColor(255, 190, 90) : QColor(130, 80, 40));
        g.setColorAt(1.0, state == 1 ? QColor(200, 90, 10) : QColor(60, 30, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(disc);
      }
      p.setPen(QPen(QColor(50, 120, 240), 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c, 9.2, 9.2);
    }
    QPainterPath arrow;
    const qreal s = up ? -1 : 1;
    arrow.moveTo(c.x() - 5, c.y() - 2.5 * s);
    arrow.lineTo(c.x() + 5, c.y() - 2.5 * s);
    arrow.lineTo(c.x(), c.y() + 3.5 * s);
    arrow.closeSubpath();
    Glow(img, arrow, QColor(40, 255, 110), 2, 0, state == 0 ? 1.0 : 0.5);
    FillPath(img, arrow, state == 1 ? QColor(20, 150, 40) : QColor(60, 235, 100));
    StrokePath(img, arrow, QColor(0, 60, 10, state == 1 ? 160 : 60), 0.8);
  });
}

QImage ScrollThumb() {
  return ElementSheet(40, [](QImage& img, int state) {
    const qreal f = state == 2 ? 0.55 : 1.0;
    QPainter p(&img);
    Prepare(p);
    QLinearGradient ground = Horizontal(0, 20);
    const QColor g0 = state == 1 ? QColor(30, 140, 50) : QColor(8, 70, 24);
    ground.setColorAt(0.0, Scaled(Scaled(g0, 0.55), f));
    ground.setColorAt(0.5, Scaled(g0, f));
    ground.setColorAt(1.0, Scaled(Scaled(g0, 0.55), f));
    p.setPen(QPen(Scaled(QColor(90, 200, 110), f), 1));
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(0.5, 0.5, 19, 39), 5, 5);
    const QPointF c(10, 20);
    QRadialGradient blue(c - QPointF(2, 2), 9);
    blue.setColorAt(0.0, Scaled(QColor(110, 180, 255), f));
    blue.setColorAt(1.0, Scaled(QColor(20, 60, 190), f));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(c, 7.5, 7.5);
    QRadialGradient orange(c - QPointF(0.8, 0.8), 4);
    orange.setColorAt(0.0, Scaled(QColor(255, 210, 120), f));
    orange.setColorAt(1.0, Scaled(QColor(230, 110, 20), f));
    p.setBrush(orange);
    p.drawEllipse(c, 3.4, 3.4);
    if (state == 1) {
      p.setPen(QPen(QColor(255, 255, 255), 1.4));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c, 8.6, 8.6);
    }
    // Grip lines above and below the disc.
    p.setPen(QPen(Scaled(QColor(160, 230, 170, 160), f), 1));
    for (const qreal y : {5.5, 8.5, 31.5, 34.5}) p.drawLine(QPointF(6, y), QPointF(14, y));
  });
}

// ---------------------------------------------------------------------------
// 41, 43, 48: the result panels.

void ResultGround(QImage& img) {
  QPainter p(&img);
  Prepare(p);
  const int w = LogicalWidth(img), h = LogicalHeight(img);
  QLinearGradient g = Horizontal(0, w);
  g.setColorAt(0.0, QColor(120, 6, 24));
  g.setColorAt(0.3, QColor(40, 10, 70));
  g.setColorAt(0.5, QColor(12, 26, 104));
  g.setColorAt(0.7, QColor(40, 10, 70));
  g.setColorAt(1.0, QColor(120, 6, 24));
  p.fillRect(img.rect(), g);
  QLinearGradient shade = Vertical(0, h);
  shade.setColorAt(0.0, QColor(255, 255, 255, 26));
  shade.setColorAt(0.25, QColor(255, 255, 255, 0));
  shade.setColorAt(0.7, QColor(0, 0, 0, 0));
  shade.setColorAt(1.0, QColor(0, 0, 0, 120));
  p.fillRect(img.rect(), shade);
  p.setPen(QPen(QColor(255, 170, 80, 110), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 4, 4);
}

void Heading(QImage& img, const QString& text, const QRectF& box, qreal size) {
  const QPainterPath path = TextPath(MakeFont(Face::Sans, size, true, true), text, box);
  Glow(img, path, QColor(255, 110, 0), size / 3.5, 0, 2.2);
  QLinearGradient g = Vertical(path.boundingRect().top(), path.boundingRect().bottom());
  g.setColorAt(0.0, QColor(255, 238, 170));
  g.setColorAt(0.5, QColor(255, 176, 50));
  g.setColorAt(1.0, QColor(235, 110, 10));
  FillPath(img, path, g);
}

void BodyLines(QImage& img, const QStringList& lines, qreal firstCentre, qreal step) {
  const QFont font = MakeFont(Face::Sans, 15, true, true);
  QPainterPath text;
  for (int i = 0; i < lines.size(); ++i) {
    QPainterPath raw;
    raw.addText(0, 0, font, lines.at(i));
    // Centre by advance width, and place by the baseline so both lines share it.
    const qreal width = raw.boundingRect().width();
    text.addPath(
        raw.translated((LogicalWidth(img) - width) / 2.0 - raw.boundingRect().left(), firstCentre + i * step + 5));
  }
  DropShadow(img, text, QColor(0, 0, 0, 230), QPointF(1, 1.5), 1.5);
  FillPath(img, text, QColor(244, 246, 255));
}

QImage Victory() {
  return ElementSheet(41, [](QImage& img, int cell) {
    // The cell's heading and whether it holds the name strip, as the game picks them.
    const struct {
      RecordHeading heading;
      const char16_t* words;
    } headings[] = {{RecordHeading::Victory, u"Победа!!!"},
                    {RecordHeading::WrongAnswer, u"Неверный ответ"},
                    {RecordHeading::TimeOut, u"Время вышло"}};
    ResultGround(img);
    bool nameStrip = false;
    for (const auto& h : headings) {
      for (const bool strip : {true, false}) {
        if (CellOf(RecordPanelLook{h.heading, strip}).row != cell + 1) continue;
        Heading(img, QString::fromUtf16(h.words), QRectF(0, 2, LogicalWidth(img), 22), 22);
        nameStrip = strip;
      }
    }
    if (!nameStrip) return;
    QPainter p(&img);
    Prepare(p);
    // The olive strip the name box lies on.
    const int w = LogicalWidth(img);
    p.fillRect(QRect(0, 101, w, 2), QColor(40, 24, 0));
    p.fillRect(QRect(0, 117, w, 2), QColor(40, 24, 0));
    for (int y = 103; y <= 116; ++y) {
      const qreal t = 1.0 - std::abs(y - 109.5) / 7.0;
      p.fillRect(QRect(0, y, w, 1), QColor(112, static_cast<int>(64 + 42 * std::min(1.0, t * 1.4)), 4));
    }
    p.fillRect(QRect(0, 103, w, 1), QColor(150, 130, 40));
    p.end();
    HintedText(img, MakeFont(Face::Sans, 11, false, true), QRectF(6, 103, 76, 14), Qt::AlignLeft | Qt::AlignVCenter,
               u"Ваше имя:"_s, QColor(255, 246, 196));
  });
}

QImage Loss() {
  return ElementSheet(43, [](QImage& img, int) {
    ResultGround(img);
    Heading(img, u"Проигрыш..."_s, QRectF(0, 8, LogicalWidth(img), 44), 32);
    BodyLines(img, {u"С таким количеством денег вы НИКОГДА"_s, u"не попадёте в таблицу лидеров."_s}, 76, 24);
  });
}

QImage Timeout() {
  return ElementSheet(48, [](QImage& img, int) {
    ResultGround(img);
    Heading(img, u"Время вышло..."_s, QRectF(0, 8, LogicalWidth(img), 44), 32);
    BodyLines(img, {u"Вы слишком долго думали, и время,"_s, u"отведённое на ответ, кончилось."_s}, 76, 24);
  });
}

// ---------------------------------------------------------------------------
// 42, 44, 46, 47, 49: bars with a word.

QImage WordBar(int element, const QString& word, bool red) {
  return ElementSheet(element, [word, red](QImage& img, int state) {
    const int w = LogicalWidth(img), h = LogicalHeight(img);
    const QFont font = MakeFont(Face::Sans, word.size() > 10 ? 13 : 15, true, false);
    const QPainterPath text = TextPath(font, word, QRectF(0, 0, w, h));
    const qreal half = std::min<qreal>(w / 2.0 - 4, text.boundingRect().width() / 2.0 + 40);
    const qreal cx = w / 2.0, cy = h / 2.0;
    QPainterPath lens;
    lens.moveTo(cx - half, cy);
    lens.quadTo(cx, cy - h * 1.05, cx + half, cy);
    lens.quadTo(cx, cy + h * 1.05, cx - half, cy);
    lens.closeSubpath();
    {
      QPainter p(&img);
      Prepare(p);
      QLinearGradient base = Vertical(0, h);
      base.setColorAt(0.0, QColor(10, 16, 30));
      base.setColorAt(1.0, QColor(0, 0, 0));
      p.fillRect(img.rect(), base);
      p.setPen(QPen(QColor(96, 116, 150), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    }
    if (state == 1) {
      QLinearGradient silver = Vertical(0, h);
      silver.setColorAt(0.0, QColor(240, 246, 255));
      silver.setColorAt(0.45, QColor(168, 186, 220));
      silver.setColorAt(0.55, QColor(120, 142, 190));
      silver.setColorAt(1.0, QColor(200, 214, 240));
      Glow(img, lens, QColor(140, 190, 255), 3, 0, 1.0);
      FillPath(img, lens, silver);
      StrokePath(img, lens, QColor(255, 255, 255), 1);
    } else if (state == 2) {
      QLinearGradient dark = Vertical(0, h);
      dark.setColorAt(0.0, QColor(70, 90, 130));
      dark.setColorAt(0.5, QColor(26, 36, 70));
      dark.setColorAt(1.0, QColor(44, 56, 90));
      Glow(img, lens, QColor(255, 190, 40), 3, 1.5, 1.2);
      FillPath(img, lens, dark);
      StrokePath(img, lens, QColor(240, 196, 70), 1.4);
    }
    QColor ink = red ? QColor(236, 56, 44) : QColor(60, 228, 100);
    if (state == 1) ink = red ? QColor(180, 10, 10) : QColor(0, 130, 40);
    if (state == 2) ink = red ? QColor(255, 100, 86) : QColor(110, 255, 140);
    Glow(img, text, state == 1 ? QColor(255, 255, 255) : ink, 2.5, 0, state == 1 ? 0.8 : 0.7);
    FillPath(img, text, ink);
  });
}

// ---------------------------------------------------------------------------

std::vector<ElementBox> BuildElements() {
  std::vector<ElementBox> e = {
      {0, 0, 0, 640, 480, 0, 1, 1, true},      {1, 167, 22, 473, 113, 1, 1, 1, true},
      {2, 167, 135, 237, 51, 2, 1, 4, true},   {3, 404, 135, 236, 51, 3, 1, 4, true},
      {4, 167, 186, 237, 51, 4, 1, 4, true},   {5, 404, 186, 236, 51, 5, 1, 4, true},
      {6, 619, 0, 21, 21, 6, 1, 3, true},      {7, 0, 0, 21, 21, 7, 1, 3, true},
      {8, 21, 0, 577, 21, 8, 1, 2, true},      {9, 166, 237, 158, 67, 9, 1, 4, true},
      {10, 324, 237, 158, 67, 10, 1, 4, true}, {11, 482, 237, 158, 67, 11, 1, 4, true},
  };
  // The ladder: question 1 at the bottom, 34 px; questions 2 … 14, 28 px; 15 on top.
  for (int q = 1; q <= 15; ++q) {
    const int height = (q == 1 || q == 15) ? 34 : 28;
    const int top = q == 1 ? 420 : q == 15 ? 22 : 420 - 28 * (q - 1);
    e.push_back({q + 11, 0, top, 166, height, q + 11, 1, 3, true});
  }
  const std::vector<ElementBox> rest = {
      {27, 167, 305, 473, 149, 27, 1, 1, false},
      {28, 167, 305, 473, 149, 28, 1, 1, false},
      {29, 201, 319, 434, 19, 29, 1, 1, false},
      {30, 201, 353, 434, 19, 29, 1, 1, false},
      {31, 201, 387, 434, 19, 29, 1, 1, false},
      {32, 201, 421, 434, 19, 29, 1, 1, false},
      {33, 0, 455, 587, 25, 33, 1, 1, true},
      {34, 0, 455, 587, 25, 34, 1, 1, false},
      {35, 598, 0, 21, 21, 35, 1, 3, true},
      {36, 167, 43, 451, 389, 36, 1, 1, false},
      {37, 618, 43, 22, 389, 37, 2, 1, false},
      {38, 618, 21, 22, 22, 38, 1, 3, false},
      {39, 618, 432, 22, 22, 39, 1, 3, false},
      {40, 619, 43, 20, 40, 40, 1, 3, false},
      {41, 167, 305, 473, 128, 41, 1, kRecordPanelLooks, false},
      {42, 167, 433, 473, 21, 42, 1, 3, false},
      {43, 167, 305, 473, 128, 43, 1, 1, false},
      {44, 167, 433, 473, 21, 44, 1, 3, false},
      {45, 587, 455, 53, 25, 45, 1, 4, true},
      {46, 393, 432, 225, 22, 46, 1, 3, false},
      {47, 167, 432, 226, 22, 47, 1, 3, false},
      {48, 167, 305, 473, 128, 48, 1, 1, false},
      {49, 167, 433, 473, 21, 49, 1, 3, false},
      {50, 167, 21, 451, 22, 50, 1, 1, false},
  };
  e.insert(e.end(), rest.begin(), rest.end());
  return e;
}

}  // namespace

const std::vector<ElementBox>& Elements() {
  static const std::vector<ElementBox> elements = BuildElements();
  return elements;
}

QString SheetFile(int element) {
  static const QStringList fixed = {
      u"background.bmp"_s, u"question.bmp"_s, u"answer_a.bmp"_s, u"answer_b.bmp"_s,
      u"answer_c.bmp"_s,   u"answer_d.bmp"_s, u"close.bmp"_s,    u"menu.bmp"_s,
      u"title.bmp"_s,      u"fifty.bmp"_s,    u"phone.bmp"_s,    u"audience.bmp"_s,
  };
  if (element >= 0 && element < fixed.size()) return fixed.at(element);
  if (element >= 12 && element <= 26) return u"ladder_%1.bmp"_s.arg(element - 11, 2, 10, QLatin1Char('0'));
  switch (element) {
    case 27: return u"phone_panel.bmp"_s;
    case 28: return u"poll_panel.bmp"_s;
    case 29: return u"poll_bar.bmp"_s;
    case 33: return u"clock_dim.bmp"_s;
    case 34: return u"clock_bright.bmp"_s;
    case 35: return u"minimise.bmp"_s;
    case 36: return u"leaderboard.bmp"_s;
    case 37: return u"scroll_track.bmp"_s;
    case 38: return u"scroll_up.bmp"_s;
    case 39: return u"scroll_down.bmp"_s;
    case 40: return u"scroll_thumb.bmp"_s;
    case 41: return u"victory.bmp"_s;
    case 42: return u"confirm_done.bmp"_s;
    case 43: return u"loss.bmp"_s;
    case 44: return u"confirm_loss.bmp"_s;
    case 45: return u"take_money.bmp"_s;
    case 46: return u"hide_table.bmp"_s;
    case 47: return u"clear_table.bmp"_s;
    case 48: return u"timeout.bmp"_s;
    case 49: return u"confirm_timeout.bmp"_s;
    case 50: return u"leaderboard_header.bmp"_s;
    default: return {};
  }
}

QImage DrawSheet(int element) {
  switch (element) {
    case 0: return Background();
    case 1: return QuestionFrame();
    case 2:
    case 3:
    case 4:
    case 5: return Answer(element);
    case 6:
    case 7:
    case 35: return WindowButton(element);
    case 8: return TitleStrip();
    case 9:
    case 10:
    case 11: return Lifeline(element);
    case 27: return PhonePanel();
    case 28: return PollPanel();
    case 29: return PollBar();
    case 33:
    case 34: return ClockStrip(element);
    case 36: return Leaderboard();
    case 37: return ScrollTrack();
    case 38:
    case 39: return ScrollButton(element);
    case 40: return ScrollThumb();
    case 41: return Victory();
    case 42: return WordBar(42, u"Всё"_s, false);
    case 43: return Loss();
    case 44: return WordBar(44, u"Хорошо"_s, false);
    case 45: return TakeMoney();
    case 46: return WordBar(46, u"Хорошо"_s, false);
    case 47: return WordBar(47, u"Очистить таблицу лидеров"_s, true);
    case 48: return Timeout();
    case 49: return WordBar(49, u"Хорошо"_s, false);
    case 50: return LeaderboardHeader();
    default:
      if (element >= 12 && element <= 26) return LadderRow(element);
      return {};
  }
}

}  // namespace art
