#include "screen/screen_painter.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "screen/element.h"
#include "screen/element_table.h"
#include "screen/fonts.h"
#include "screen/page_painter.h"
#include "screen/sharp_sheet_cache.h"

namespace {

bool WholeNumber(qreal v) { return std::abs(v - std::round(v)) < 1e-6; }

// Whether the painter maps a logical pixel onto exactly `scale` device pixels, upright.
bool MapsAtScale(const QTransform& device, qreal scale) {
  return device.type() <= QTransform::TxScale && std::abs(device.m11() - scale) < 1e-6 &&
         std::abs(device.m22() - scale) < 1e-6;
}

// Copies the sheet's pixels from `sourceTopLeft` onto the device pixels under `target`
// (logical; `device` is the painter's device transform) one for one. Drawn through a
// scaled painter, even a 1:1 ratio goes the stretching way, which at 3× costs several
// times a plain copy. Both ends of the target round the same way, so neighbouring
// faces meet without a seam at 1.5×.
void CopyToDevicePixels(QPainter& painter, const QTransform& device, const QRectF& target, const QImage& sheet,
                        QPointF sourceTopLeft) {
  const QRectF mapped = device.mapRect(target);
  const QPoint topLeft(qRound(mapped.left()), qRound(mapped.top()));
  const QPoint from(qRound(sourceTopLeft.x()), qRound(sourceTopLeft.y()));
  const QSize size(std::min(qRound(mapped.right()) - topLeft.x(), sheet.width() - from.x()),
                   std::min(qRound(mapped.bottom()) - topLeft.y(), sheet.height() - from.y()));
  if (size.isEmpty()) return;
  const QTransform world = painter.worldTransform();
  // Undoes the whole mapping, including what lies below the world transform (the
  // screen's own pixel ratio), so that the point below is in device pixels.
  painter.setWorldTransform(device.inverted() * world);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(topLeft, sheet, QRect(from, size));
  painter.setWorldTransform(world);
}

void PaintFace(QPainter& painter, const Element& e, SharpSheetCache* sharp) {
  const QRect box = e.Box();
  if (e.face.isNull()) {
    painter.fillRect(box, Qt::black);
    return;
  }
  // The face keeps the size it was painted at: a narrower box shows its left part,
  // a wider one shows black beyond it.
  const QRect shown = QRect(QPoint(0, 0), box.size()).intersected(e.face.rect());
  const QTransform device = painter.deviceTransform();
  const qreal deviceScale = device.m11();
  const QImage* sheet = sharp && deviceScale > 1.0 && e.faceSheet ? sharp->Sheet(*e.faceSheet) : nullptr;
  if (sheet) {
    // The same part of the cell the face shows, taken from the sharper sheet; only
    // a scale the sheet was not drawn for needs filtering.
    const qreal fx = e.faceSource.width() / e.face.width(), fy = e.faceSource.height() / e.face.height();
    const QRectF target(box.topLeft(), QSizeF(shown.size()));
    const QRectF source((e.faceSource.x() + shown.x() * fx) * sharp->scale(),
                        (e.faceSource.y() + shown.y() * fy) * sharp->scale(), shown.width() * fx * sharp->scale(),
                        shown.height() * fy * sharp->scale());
    if (fx == 1.0 && fy == 1.0 && MapsAtScale(device, sharp->scale())) {
      CopyToDevicePixels(painter, device, target, *sheet, source.topLeft());
    } else {
      painter.setRenderHint(QPainter::SmoothPixmapTransform, !WholeNumber(deviceScale / sharp->scale()));
      painter.drawImage(target, *sheet, source);
    }
  } else {
    // Whole-number scales keep the art's pixels sharp; fractional ones would make
    // them uneven, so those are filtered.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !WholeNumber(deviceScale));
    painter.drawImage(box.topLeft(), e.face, shown);
  }
  if (shown.width() < box.width()) painter.fillRect(box.adjusted(shown.width(), 0, 0, 0), Qt::black);
  if (shown.height() < box.height())
    painter.fillRect(QRect(box.left(), box.top() + shown.height(), shown.width(), box.height() - shown.height()),
                     Qt::black);
}

/// Text in `font` within `rect`, clipped to `clip` (and to `outline` there, if any).
void PaintText(QPainter& painter, const QString& text, const CaptionFont& font, CaptionAlign alignment, QRgb colour,
               bool enabled, const QRectF& rect, const QRect& clip, const FrameOutline* outline) {
  painter.save();
  painter.setClipRect(clip, Qt::IntersectClip);
  // Text too long for any size the fit allows stays inside the frame, cut off.
  if (outline) {
    QPainterPath inside;
    inside.addPolygon(outline->Polygon().translated(clip.topLeft()));
    painter.setClipPath(inside, Qt::IntersectClip);
  }
  painter.setFont(ToQFont(font));
  // A word wider than the caption sticks out of it; only the owner's box clips.
  const int flags = CaptionTextFlags(alignment) | Qt::TextDontClip;
  const QString shown = CaptionLayoutText(text);
  if (enabled) {
    painter.setPen(QColor(colour));
    painter.drawText(rect, flags, shown);
  } else {
    // The usual look of disabled text: a light emboss under a grey face.
    painter.setPen(Qt::white);
    painter.drawText(rect.translated(1, 1), flags, shown);
    painter.setPen(QColor(128, 128, 128));
    painter.drawText(rect, flags, shown);
  }
  painter.restore();
}

void PaintCaption(QPainter& painter, const Screen& screen, ElementId index, const QRegion& region) {
  const Element& e = screen.element(index);
  const Caption& c = e.caption;
  if (!c.visible || !e.visible || c.text.isEmpty() || !region.intersects(e.Box())) return;
  PaintText(painter, c.text, c.font, c.alignment, c.colour, c.enabled, screen.CaptionRect(index), e.Box(),
            CaptionOutline(index));
}

// The list's columns, scrolled together and cut off at the board's edges.
void PaintBoardColumns(QPainter& painter, const Screen& screen, const QRegion& region) {
  const QRect box = screen.element(el::Leaderboard).Box();
  if (!region.intersects(box)) return;
  for (const BoardColumn column : kBoardColumns) {
    const BoardColumnView& c = screen.board().column(column);
    if (c.text.isEmpty()) continue;
    PaintText(painter, c.text, c.font, c.alignment, c.colour, true, screen.BoardColumnRect(column), box, nullptr);
  }
}

// The row just named, lit behind its text in the orange of a chosen answer.
void PaintListHighlight(QPainter& painter, const Screen& screen) {
  const QRectF row = screen.ListRowRect(screen.listHighlight());
  if (row.isEmpty()) return;
  painter.save();
  painter.setClipRect(screen.element(el::Leaderboard).Box(), Qt::IntersectClip);
  painter.fillRect(row, QColor(204, 102, 26, 150));
  painter.restore();
}

// A speaker with a cross beside it: sound is off (the key S or the menu brings it back).
void PaintSoundOffSign(QPainter& painter) {
  const QRectF box(Screen::kSoundOffSign);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(235, 240, 255));
  const qreal cy = box.center().y();
  const QPointF speaker[] = {{box.left() + 1, cy - 3},  {box.left() + 5, cy - 3}, {box.left() + 10, cy - 7},
                             {box.left() + 10, cy + 7}, {box.left() + 5, cy + 3}, {box.left() + 1, cy + 3}};
  painter.drawPolygon(speaker, 6);
  painter.setPen(QPen(QColor(255, 90, 60), 1.8, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(box.left() + 13, cy - 4), QPointF(box.left() + 19, cy + 4));
  painter.drawLine(QPointF(box.left() + 13, cy + 4), QPointF(box.left() + 19, cy - 4));
  painter.restore();
}

}  // namespace

void PaintScreen(QPainter& painter, const Screen& screen, const QRegion& region, SharpSheetCache* sharp) {
  painter.save();
  painter.setClipRegion(region, Qt::IntersectClip);
  // The pages are opaque: what lies wholly under them is not painted.
  const bool pageUp = screen.pages().visible();
  const QRegion uncovered = pageUp ? region.subtracted(QRegion(PageView::kBox)) : region;
  for (const ElementId i : AllElements()) {
    const Element& e = screen.element(i);
    if (e.visible && uncovered.intersects(e.Box())) PaintFace(painter, e, sharp);
    if (i == el::Leaderboard && e.visible) PaintListHighlight(painter, screen);
    PaintCaption(painter, screen, i, uncovered);
    if (i == el::Leaderboard && e.visible) PaintBoardColumns(painter, screen, uncovered);
  }
  if (screen.soundOffSign() && uncovered.intersects(Screen::kSoundOffSign)) PaintSoundOffSign(painter);
  if (pageUp && region.intersects(PageView::kBox)) PaintPage(painter, screen.pages());
  painter.restore();
}
