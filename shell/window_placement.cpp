#include "shell/window_placement.h"

namespace {
constexpr int kFrameSide = 3;
constexpr int kFrameTop = 21;  // title bar plus the top border
}  // namespace

QPoint WindowPlacement(const QRect& screen, int width, int height) {
  const int outerWidth = width + 2 * kFrameSide;
  const int outerHeight = height + kFrameTop + kFrameSide;
  const int outerLeft = (screen.width() - outerWidth) / 2;
  const int outerTop = (screen.height() - outerHeight) / 2 - (kFrameTop - 2 * kFrameSide);
  return screen.topLeft() + QPoint(outerLeft + kFrameSide, outerTop + kFrameTop);
}
