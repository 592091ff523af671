#pragma once

#include <QString>

#include <array>
#include <cstddef>

#include <QColor>
#include "screen/text_measurer.h"

/// The three columns of the leaderboard's list, left to right.
enum class BoardColumn { Rank, Name, Sum };

constexpr std::array<BoardColumn, 3> kBoardColumns = {BoardColumn::Rank, BoardColumn::Name, BoardColumn::Sum};

/// One column of the list: a line per row, rows parted by "\r\n".
struct BoardColumnView {
  QString text;
  CaptionFont font;
  CaptionAlign alignment = CaptionAlign::Centre;
  QRgb colour = qRgb(255, 255, 255);
  /// Place inside the board's box; the height is the whole text's, laid out.
  qreal left = 0, width = 0, height = 0;
};

/// The leaderboard's list as the board shows it: three columns side by side inside
/// the board's box, scrolled together.
struct BoardView {
  std::array<BoardColumnView, 3> columns;
  /// Where the list's top stands inside the board's box: 0 unscrolled, below 0
  /// scrolled down.
  qreal top = 0;

  const BoardColumnView& column(BoardColumn c) const { return columns[std::size_t(c)]; }
  /// The whole list's height: the ranks hold a line for every row.
  qreal height() const { return column(BoardColumn::Rank).height; }
};

/// The columns' fonts, colours and places for a board `boardWidth` pixels wide, with
/// no text yet.
BoardView EmptyBoardView(qreal boardWidth);
