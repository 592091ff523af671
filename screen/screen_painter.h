#pragma once

#include <QRegion>

class QPainter;
class Screen;

/// Paints the screen model inside `region` (window pixels): every visible element's
/// face in index order, higher indices on top, each followed by its caption, and the
/// pages over the game when they are up. The
/// name box is not painted here; the window shows it with a real line edit.
void PaintScreen(QPainter& painter, const Screen& screen, const QRegion& region);
