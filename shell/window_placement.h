#pragma once

#include <QPoint>
#include <QRect>

/// Where the frameless 640 × 480 window goes on a screen: centred horizontally, and
/// vertically where a framed window raised by its title bar would show its client
/// area (a nominal frame of 3-pixel borders under an 18-pixel title bar), so the
/// game sits a few pixels above the exact centre as players know it.
QPoint WindowPlacement(const QRect& screen, int width = 640, int height = 480);
