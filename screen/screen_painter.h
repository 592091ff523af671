#pragma once

#include <QImage>
#include <QRegion>

#include <vector>

class QPainter;
class Screen;

/// Paints the screen model inside `region` (window pixels): every visible element's
/// face in index order, higher indices on top, each followed by its caption, and the
/// pages over the game when they are up. The
/// name box is not painted here; the window shows it with a real line edit.
///
/// With `sharp`, faces whose sheet has a sharper copy are painted from that copy
/// (the same cell, `sharp->scale` times the pixels), so a painter scaled past 1
/// shows drawn detail instead of enlarged pixels.
struct SharpSheets {
  qreal scale = 2.0;
  std::vector<QImage> sheets;  ///< by element; null: no sharper copy
};
void PaintScreen(QPainter& painter, const Screen& screen, const QRegion& region,
                 const SharpSheets* sharp = nullptr);

/// The sharper copies of every element's own sheet that the program carries.
SharpSheets LoadSharpSheets();

/// `from` resampled smoothly to `scale` (`from` itself at its own scale), once, so
/// that painting at that scale is a plain copy instead of filtering every face on
/// every paint.
SharpSheets ResampleSheets(const SharpSheets& from, qreal scale);
