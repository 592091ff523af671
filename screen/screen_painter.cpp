#include "screen/screen_painter.h"

#include <QPainter>

#include "screen/element.h"
#include "screen/fonts.h"
#include "screen/page_painter.h"

namespace {

void PaintFace(QPainter& painter, const Element& e) {
  const QRect box = e.Box();
  if (e.face.isNull()) {
    painter.fillRect(box, Qt::black);
    return;
  }
  // The face keeps the size it was painted at: a narrower box shows its left part,
  // a wider one shows black beyond it.
  const QRect shown = QRect(QPoint(0, 0), box.size()).intersected(e.face.rect());
  painter.drawImage(box.topLeft(), e.face, shown);
  if (shown.width() < box.width())
    painter.fillRect(box.adjusted(shown.width(), 0, 0, 0), Qt::black);
  if (shown.height() < box.height())
    painter.fillRect(QRect(box.left(), box.top() + shown.height(), shown.width(),
                           box.height() - shown.height()),
                     Qt::black);
}

void PaintCaption(QPainter& painter, const Screen& screen, int index, const QRegion& region) {
  const Caption& c = screen.element(index).caption;
  const Element& owner = screen.element(Screen::CaptionOwner(index));
  if (!c.visible || !owner.visible || c.text.isEmpty() || !region.intersects(owner.Box())) return;

  painter.save();
  painter.setClipRect(owner.Box(), Qt::IntersectClip);
  painter.setFont(ToQFont(c.font));
  // A word wider than the caption sticks out of it; only the owner's box clips.
  const int flags = CaptionTextFlags(c.alignment) | Qt::TextDontClip;
  const QRectF rect = screen.CaptionRect(index);
  const QString text = CaptionLayoutText(c.text);
  if (c.enabled) {
    painter.setPen(ToQColor(c.colour));
    painter.drawText(rect, flags, text);
  } else {
    // The usual look of disabled text: a light emboss under a grey face.
    painter.setPen(Qt::white);
    painter.drawText(rect.translated(1, 1), flags, text);
    painter.setPen(QColor(128, 128, 128));
    painter.drawText(rect, flags, text);
  }
  painter.restore();
}

}  // namespace

void PaintScreen(QPainter& painter, const Screen& screen, const QRegion& region) {
  painter.save();
  painter.setClipRegion(region, Qt::IntersectClip);
  for (int i = 0; i < kElementsInUse; ++i) {
    const Element& e = screen.element(i);
    if (e.visible && region.intersects(e.Box())) PaintFace(painter, e);
    PaintCaption(painter, screen, i, region);
  }
  if (screen.pages().visible() && region.intersects(PageView::kBox)) PaintPage(painter, screen.pages());
  painter.restore();
}
