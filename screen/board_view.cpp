#include "screen/board_view.h"

namespace {

struct ColumnStyle {
  qreal leftMargin, rightMargin;
  bool bold, italic;
  QRgb colour;
};

// Ranks at the left edge, sums at the right, names between; every row on one line.
constexpr std::array<ColumnStyle, 3> kColumnStyles = {{
    {0, 420, true, false, qRgb(207, 26, 156)},
    {36, 88, false, true, qRgb(26, 186, 207)},
    {366, 0, true, false, qRgb(106, 207, 26)},
}};

}  // namespace

BoardView EmptyBoardView(qreal boardWidth) {
  BoardView board;
  for (std::size_t k = 0; k < kColumnStyles.size(); ++k) {
    const ColumnStyle& s = kColumnStyles[k];
    BoardColumnView& c = board.columns[k];
    c.font.face = QStringLiteral("Arial Cyr");
    c.font.size = 10;
    c.font.bold = s.bold;
    c.font.italic = s.italic;
    c.alignment = CaptionAlign::Centre;
    c.colour = s.colour;
    c.left = s.leftMargin;
    c.width = boardWidth - s.leftMargin - s.rightMargin;
  }
  return board;
}
