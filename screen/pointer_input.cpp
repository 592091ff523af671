#include "screen/pointer_input.h"

#include <cmath>

#include "screen/element.h"

namespace {

bool IsAnswer(int i) { return i >= el::AnswerA && i <= el::AnswerD; }
bool IsLifelineOrTakeMoney(int i) {
  return i == el::FiftyFifty || i == el::PhoneFriend || i == el::AudiencePoll || i == el::TakeMoney;
}
/// Buttons with a pointed-at look in row 3 of 3.
bool IsHoverButton(int i) {
  switch (i) {
    case 6: case 7: case 35: case 38: case 39: case 40: case 42: case 44: case 46: case 47: case 49:
      return true;
    default:
      return false;
  }
}
/// Buttons pressed in row 2 of 3 without any further action.
bool IsPlainButton(int i) {
  switch (i) {
    case 6: case 7: case 35: case 42: case 44: case 46: case 47: case 49:
      return true;
    default:
      return false;
  }
}
/// Buttons that go back to row 1 on release. The menu button stays pressed while
/// the popup menu it opens is shown.
bool IsReleasedButton(int i) {
  switch (i) {
    case 6: case 35: case 38: case 39: case 42: case 44: case 46: case 47: case 49:
      return true;
    default:
      return false;
  }
}

// The thumb's scroll step on the track and on the arrows.
constexpr float kPageStep = 40;
constexpr float kArrowStep = 8;

}  // namespace

void PointerInput::PaintHover(int index, bool pointed) {
  const Element& e = m_screen.element(index);
  // A disabled element keeps the look that disabling it painted.
  if (!e.enabled) return;
  const bool open = m_host.AnswersOpen();
  if (IsAnswer(index)) {
    if (!open) return;
    m_screen.PaintRow(index, pointed ? 4 : 1, 4);
    m_screen.SetCaptionColour(index, pointed ? e.pointedCaptionColour : e.captionColour);
  } else if (IsHoverButton(index)) {
    m_screen.PaintRow(index, pointed ? 3 : 1, 3);
  } else if (index == el::TitleStrip) {
    m_screen.PaintRow(index, pointed ? 2 : 1, 2);
  } else if (IsLifelineOrTakeMoney(index) && open) {
    m_screen.PaintRow(index, pointed ? 3 : 1, 4);
  }
}

void PointerInput::Picture1_MouseMove(int index, int button, int shift, qreal x, qreal y) {
  Q_UNUSED(button);
  Q_UNUSED(shift);

  if (index != m_state.HotElement) {
    PaintHover(m_state.HotElement, false);
    m_state.HotElement = qint16(index);
    PaintHover(index, true);
  }

  if (index == el::TitleStrip && m_state.WindowDragging && m_host.WindowNormal()) {
    m_host.MoveWindowBy(float(x) - m_state.DragStartX, float(y) - m_state.DragStartY);
  }

  if (index == el::ScrollThumb && m_state.ThumbDragging) {
    const Element& thumb = m_screen.element(el::ScrollThumb);
    const Element& track = m_screen.element(el::ScrollTrack);
    float t = float(y) - m_state.DragStartY + float(thumb.top);
    const float lowest = float(track.top) + float(track.height) - float(thumb.height);
    if (t < float(track.top)) t = float(track.top);
    if (t > lowest) t = lowest;
    if (float(thumb.top) != t) m_screen.SetTop(el::ScrollThumb, t);

    const Element& panel = m_screen.element(el::Leaderboard);
    // Whole-number arithmetic here, unlike the presses: the list moves by whole pixels.
    const long a = std::lrint((t - float(track.top)) *
                              (float(panel.height) - float(panel.caption.height)));
    const long b = std::lrint(float(track.height) - float(thumb.height));
    const long offset = b != 0 ? a / b : 0;
    m_listOffset = qreal(offset);
    for (int column : {36, 38, 39}) {
      if (m_screen.element(column).caption.top != m_listOffset)
        m_screen.SetCaptionTop(column, m_listOffset);
    }
  }
}

void PointerInput::Picture1_MouseDown(int index, int button, int shift, qreal x, qreal y) {
  Q_UNUSED(button);
  Q_UNUSED(shift);
  if (!m_screen.element(index).enabled) return;

  if (IsPlainButton(index)) {
    m_screen.PaintRow(index, 2, 3);
  } else if (index == el::TitleStrip) {
    m_state.WindowDragging = true;
    m_state.DragStartX = float(x);
    m_state.DragStartY = float(y);
  } else if (IsLifelineOrTakeMoney(index)) {
    if (m_host.AnswersOpen()) m_screen.PaintRow(index, 2, 4);
  } else if (index == el::ScrollTrack) {
    m_screen.DrawElementState(index, 2, 1, 2, 1);
    const float thumbTop = float(m_screen.element(el::ScrollThumb).top);
    const float d = thumbTop - float(m_screen.element(el::ScrollTrack).top);
    const float fy = float(y);
    ScrollTo(d > fy ? thumbTop - kPageStep : d < fy ? thumbTop + kPageStep : thumbTop);
  } else if (index == el::ScrollUp || index == el::ScrollDown) {
    m_screen.PaintRow(index, 2, 3);
    const float thumbTop = float(m_screen.element(el::ScrollThumb).top);
    ScrollTo(index == el::ScrollUp ? thumbTop - kArrowStep : thumbTop + kArrowStep);
  } else if (index == el::ScrollThumb) {
    m_screen.PaintRow(index, 2, 3);
    m_state.ThumbDragging = true;
    m_state.DragStartY = float(y);
  }
}

void PointerInput::Picture1_MouseUp(int index, int button, int shift, qreal x, qreal y) {
  Q_UNUSED(button);
  Q_UNUSED(shift);
  Q_UNUSED(x);
  Q_UNUSED(y);
  m_state.HotElement = 0;

  if (m_screen.element(index).enabled) {
    if (IsReleasedButton(index)) {
      m_screen.PaintRow(index, 1, 3);
    } else if (index == el::ScrollTrack) {
      m_screen.DrawElementState(index, 1, 1, 2, 1);
    }
  }

  if (index == el::TitleStrip) {
    m_state.WindowDragging = false;
  } else if (IsLifelineOrTakeMoney(index)) {
    if (m_host.AnswersOpen()) m_screen.PaintRow(index, 1, 4);
  } else if (index == el::ScrollThumb) {
    m_screen.PaintRow(index, 1, 3);
    m_state.ThumbDragging = false;
  }
}

void PointerInput::ScrollTo(qreal thumbTop) {
  const Element& track = m_screen.element(el::ScrollTrack);
  const Element& thumb = m_screen.element(el::ScrollThumb);
  const float trackTop = float(track.top);
  const float lowest = float(m_screen.element(el::ScrollDown).top) - float(thumb.height);
  float t = float(thumbTop);
  if (t < trackTop) t = trackTop;
  if (t > lowest) t = lowest;
  m_screen.SetTop(el::ScrollThumb, t);

  const Element& panel = m_screen.element(el::Leaderboard);
  const float offset = (float(panel.height) - float(panel.caption.height)) /
                       (float(track.height) - float(thumb.height)) * (t - trackTop);
  m_listOffset = offset;
  if (panel.caption.top != m_listOffset) {
    for (int column : {36, 38, 39}) m_screen.SetCaptionTop(column, m_listOffset);
  }
}
