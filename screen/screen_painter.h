#pragma once

#include <QRegion>

class QPainter;
class Screen;
class SharpSheetCache;

/// Paints the screen model inside `region` (window pixels): every visible element's
/// face in index order, higher indices on top, each followed by its caption, and the
/// pages over the game when they are up. The
/// name box is not painted here; the window shows it with a real line edit.
///
/// With `sharp`, faces whose sheet has a sharper copy are painted from that copy
/// (the same cell, `sharp->scale()` times the pixels), so a painter scaled past 1
/// shows drawn detail instead of enlarged pixels. Only the sheets of faces that are
/// painted are prepared.
void PaintScreen(QPainter& painter, const Screen& screen, const QRegion& region, SharpSheetCache* sharp = nullptr);
