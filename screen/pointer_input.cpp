#include "screen/pointer_input.h"

#include <cmath>

#include "screen/element.h"
#include "screen/element_table.h"
#include "screen/question_buttons.h"

namespace {

// The thumb's scroll step on the track and on the arrows.
constexpr float kPageStep = 40;
constexpr float kArrowStep = 8;

}  // namespace

void PointerInput::PaintHover(ElementId index, bool pointed) {
  const Element& e = m_screen.element(index);
  // A disabled element keeps the look that disabling it painted.
  if (!e.enabled) return;
  const bool open = m_host.AnswersOpen();
  if (IsAnswerSlot(index)) {
    if (!open) return;
    m_screen.ShowLook(index, pointed ? AnswerLook::Pointed : AnswerLook::Normal);
    m_screen.SetCaptionColour(index, pointed ? e.pointedCaptionColour.value_or(e.captionColour) : e.captionColour);
  } else if (ButtonLooksOf(index).hover) {
    m_screen.ShowLook(index, pointed ? ButtonLook::Pointed : ButtonLook::Normal);
  } else if (index == el::TitleStrip) {
    m_screen.ShowLook(index, pointed ? TitleLook::Pointed : TitleLook::Normal);
  } else if (IsQuestionButton(index) && open) {
    m_screen.ShowLook(index, pointed ? LifelineLook::Pointed : LifelineLook::Normal);
  }
}

void PointerInput::PointerMoved(ElementId index, qreal x, qreal y) {
  if (index != m_state.HotElement) {
    PaintHover(m_state.HotElement, false);
    m_state.HotElement = index;
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
    const long a = std::lrint((t - float(track.top)) * (float(panel.height) - float(m_screen.board().height())));
    const long b = std::lrint(float(track.height) - float(thumb.height));
    const long offset = b != 0 ? a / b : 0;
    m_listOffset = qreal(offset);
    m_screen.ScrollBoardTo(m_listOffset);
  }
}

void PointerInput::DropHover() { PointerMoved(el::Background, 1, 1); }

void PointerInput::PointerPressed(ElementId index, qreal x, qreal y) {
  if (!m_screen.element(index).enabled) return;

  if (ButtonLooksOf(index).plainPress) {
    m_screen.ShowLook(index, ButtonLook::Pressed);
  } else if (index == el::TitleStrip) {
    m_state.WindowDragging = true;
    m_state.DragStartX = float(x);
    m_state.DragStartY = float(y);
  } else if (IsQuestionButton(index)) {
    if (m_host.AnswersOpen()) m_screen.ShowLook(index, LifelineLook::Pressed);
  } else if (index == el::ScrollTrack) {
    m_screen.ShowLook(index, TrackLook::Pressed);
    const float thumbTop = float(m_screen.element(el::ScrollThumb).top);
    const float d = thumbTop - float(m_screen.element(el::ScrollTrack).top);
    const float fy = float(y);
    ScrollTo(d > fy ? thumbTop - kPageStep : d < fy ? thumbTop + kPageStep : thumbTop);
  } else if (index == el::ScrollUp || index == el::ScrollDown) {
    m_screen.ShowLook(index, ButtonLook::Pressed);
    const float thumbTop = float(m_screen.element(el::ScrollThumb).top);
    ScrollTo(index == el::ScrollUp ? thumbTop - kArrowStep : thumbTop + kArrowStep);
  } else if (index == el::ScrollThumb) {
    m_screen.ShowLook(index, ButtonLook::Pressed);
    m_state.ThumbDragging = true;
    m_state.DragStartY = float(y);
  }
}

void PointerInput::PointerReleased(ElementId index, qreal x, qreal y) {
  Q_UNUSED(x);
  Q_UNUSED(y);
  m_state.HotElement = el::Background;

  if (m_screen.element(index).enabled) {
    if (ButtonLooksOf(index).releaseNormal) {
      m_screen.ShowLook(index, ButtonLook::Normal);
    } else if (index == el::ScrollTrack) {
      m_screen.ShowLook(index, TrackLook::Normal);
    }
  }

  if (index == el::TitleStrip) {
    m_state.WindowDragging = false;
  } else if (IsQuestionButton(index)) {
    if (m_host.AnswersOpen()) m_screen.ShowLook(index, LifelineLook::Normal);
  } else if (index == el::ScrollThumb) {
    m_screen.ShowLook(index, ButtonLook::Normal);
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
  const float offset = (float(panel.height) - float(m_screen.board().height())) /
                       (float(track.height) - float(thumb.height)) * (t - trackTop);
  m_listOffset = offset;
  m_screen.ScrollBoardTo(m_listOffset);
}

void PointerInput::ScrollList(qreal pixels) {
  if (!m_screen.element(el::ScrollThumb).enabled) return;
  const Element& track = m_screen.element(el::ScrollTrack);
  const Element& thumb = m_screen.element(el::ScrollThumb);
  const Element& panel = m_screen.element(el::Leaderboard);
  const qreal hidden = m_screen.board().height() - panel.height;
  if (hidden <= 0) return;
  // The thumb stands where the list would put it; ScrollTo then holds both ends.
  const qreal listTop = m_screen.board().top - pixels;
  ScrollTo(track.top + (-listTop) / hidden * (track.height - thumb.height));
}
