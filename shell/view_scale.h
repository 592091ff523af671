// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

/// How big the 640 × 480 picture is shown. The game itself always works in its
/// own 640 × 480 units; these helpers only decide the one scale (and, in full
/// screen, the offset) that maps those units onto the window.
namespace ViewScale {

inline constexpr int kLogicalWidth = 640;
inline constexpr int kLogicalHeight = 480;

/// The zoom steps offered, smallest first.
const QList<qreal>& Steps();

/// The zoom a first start picks for a screen whose available area (in the
/// desktop's own device-independent pixels) is `available`: the largest step whose
/// window takes at most about four fifths of the height and fits the width.
qreal FirstZoom(const QSize& available);

/// The step next to `zoom` in `direction` (+1 larger, −1 smaller); the end steps
/// stay where they are.
qreal Step(qreal zoom, int direction);

/// The step nearest to `zoom` (a stored value from an older or edited file).
qreal Nearest(qreal zoom);

/// The window size at `zoom`.
QSize WindowSize(qreal zoom);

/// Whether the window at `zoom` fits wholly into `available` (a screen's available
/// area): larger steps are for full screen, not for a window cut off by the screen.
bool Fits(qreal zoom, const QSize& available);

/// The step nearest to `zoom`, brought down to the largest step that fits
/// `available`; the smallest step when none fits.
qreal Fitting(qreal zoom, const QSize& available);

/// The picture inside an area of `area`: 4:3, as large as fits, centred; what is
/// left over are black bars.
QRectF Letterbox(const QSize& area);

/// Where a window of `size` whose top-left corner was at `wanted` goes so that it
/// lies on one of `screens` (available areas): on the screen it overlaps most (or,
/// when it overlaps none, the first), moved inside it as far as its size allows.
/// Any `wanted` point, however far off (an edited settings file), is safe.
QPoint ClampOntoScreens(QPoint wanted, const QSize& size, const QList<QRect>& screens);

}  // namespace ViewScale
