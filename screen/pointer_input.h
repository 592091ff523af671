#pragma once

#include <QtGlobal>

#include "screen/element_id.h"

class Screen;

/// Pointer values the game keeps between events.
struct PointerState {
  ElementId HotElement = ElementId::Background;
  bool WindowDragging = false;
  float DragStartX = 0;
  float DragStartY = 0;
  bool ThumbDragging = false;
};

/// What the pointer handlers need from the game and the window around them.
class PointerHost {
 public:
  virtual ~PointerHost() = default;
  virtual bool AnswersOpen() const = 0;
  /// Neither minimised nor maximised.
  virtual bool WindowNormal() = 0;
  virtual void MoveWindowBy(qreal dx, qreal dy) = 0;
};

/// Hover and pressed looks, the window drag by the title strip and the leaderboard
/// scroll bar. Coordinates are pixels relative to the element receiving the event;
/// the caller routes events (capture while a button is held, nothing for disabled
/// elements, captions transparent).
class PointerInput {
 public:
  PointerInput(Screen& screen, PointerState& state, PointerHost& host)
      : m_screen(screen), m_state(state), m_host(host) {}

  void PointerPressed(ElementId index, qreal x, qreal y);
  void PointerMoved(ElementId index, qreal x, qreal y);
  void PointerReleased(ElementId index, qreal x, qreal y);
  /// Forgets the pointed-at element and gives it back its normal look, as if the
  /// pointer had moved onto the background.
  void DropHover();

  /// Gives the element under the pointer its pointed-at look again, for when it has
  /// just become clickable without the pointer moving.
  void PointAtHotElement() { PaintHover(m_state.HotElement, true); }

  /// Moves the leaderboard's list `pixels` further down (negative: up) through its
  /// scroll bar, as far as the list goes; nothing while the list fits the panel.
  void ScrollList(qreal pixels);

  /// The last list position the scroll bar gave the leaderboard columns.
  qreal ListOffset() const { return m_listOffset; }

 private:
  /// The pointed-at look of an element (`pointed`) or its normal look again.
  void PaintHover(ElementId index, bool pointed);
  void ScrollTo(qreal thumbTop);

  Screen& m_screen;
  PointerState& m_state;
  PointerHost& m_host;
  qreal m_listOffset = 0;
};
