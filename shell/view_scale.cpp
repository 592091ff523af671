// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/view_scale.h"

#include <algorithm>
#include <cmath>

namespace ViewScale {

namespace {
// About four fifths of the height: 1080 lines take 720 (1.5×), 1440 take 960 (2×);
// a window taller than that leaves too little room for the desktop's panels.
constexpr qreal kHeightShare = 0.8;
}  // namespace

const QList<qreal>& Steps() {
  static const QList<qreal> steps{1.0, 1.5, 2.0, 2.5, 3.0};
  return steps;
}

qreal FirstZoom(const QSize& available) {
  qreal chosen = Steps().front();
  for (qreal step : Steps()) {
    const QSize size = WindowSize(step);
    if (size.height() <= available.height() * kHeightShare && size.width() <= available.width()) chosen = step;
  }
  return chosen;
}

qreal Nearest(qreal zoom) {
  if (!std::isfinite(zoom)) return Steps().front();
  return *std::min_element(Steps().begin(), Steps().end(),
                           [zoom](qreal a, qreal b) { return std::abs(a - zoom) < std::abs(b - zoom); });
}

qreal Step(qreal zoom, int direction) {
  const QList<qreal>& steps = Steps();
  const qsizetype at = steps.indexOf(Nearest(zoom));
  const qsizetype next = std::clamp<qsizetype>(at + (direction > 0 ? 1 : direction < 0 ? -1 : 0), 0, steps.size() - 1);
  return steps.at(next);
}

QSize WindowSize(qreal zoom) { return QSize(qRound(kLogicalWidth * zoom), qRound(kLogicalHeight * zoom)); }

bool Fits(qreal zoom, const QSize& available) {
  const QSize size = WindowSize(zoom);
  return size.width() <= available.width() && size.height() <= available.height();
}

qreal Fitting(qreal zoom, const QSize& available) {
  qreal fitting = Steps().front();
  for (qreal step : Steps())
    if (step <= Nearest(zoom) && Fits(step, available)) fitting = step;
  return fitting;
}

QRectF Letterbox(const QSize& area) {
  const qreal scale = std::min(qreal(area.width()) / kLogicalWidth, qreal(area.height()) / kLogicalHeight);
  const QSizeF picture(kLogicalWidth * scale, kLogicalHeight * scale);
  return QRectF(QPointF((area.width() - picture.width()) / 2, (area.height() - picture.height()) / 2), picture);
}

QPoint ClampOntoScreens(QPoint wanted, const QSize& size, const QList<QRect>& screens) {
  if (screens.isEmpty()) return wanted;
  // Far-off points are first brought next to the screens, so that no corner of the
  // window below overflows: every screen lies within this span.
  QRect span;
  for (const QRect& screen : screens) span = span.united(screen);
  wanted.setX(std::clamp(wanted.x(), span.left() - size.width(), span.left() + span.width()));
  wanted.setY(std::clamp(wanted.y(), span.top() - size.height(), span.top() + span.height()));
  const QRect window(wanted, size);
  QRect best = screens.front();
  qint64 bestArea = 0;
  for (const QRect& screen : screens) {
    const QRect overlap = screen.intersected(window);
    const qint64 area = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
    if (area > bestArea) {
      bestArea = area;
      best = screen;
    }
  }
  // Right and bottom first, then left and top: a window larger than the screen
  // keeps its top-left corner (and with it the title strip) on the screen.
  QPoint at = wanted;
  at.setX(std::min(at.x(), best.left() + best.width() - size.width()));
  at.setY(std::min(at.y(), best.top() + best.height() - size.height()));
  at.setX(std::max(at.x(), best.left()));
  at.setY(std::max(at.y(), best.top()));
  return at;
}

}  // namespace ViewScale
