#include "screen/element_table.h"

#include <algorithm>
#include <array>

#include "screen/game_version.h"
#include "screen/key_table.h"
#include "screen/question_buttons.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kPointedAnswer = qRgb(128, 255, 192);

using K = ElementKind;

// In painting order. What each element's sheet holds follows from its kind: one cell
// per look of the kind, or one cell alone. The ladder rungs of questions 1 and 15 are
// taller than the others.
constexpr std::array<ElementSpec, kElementCount> kElements = {{
    {el::Background, u"background", el::Background, 0, 0, 640, 480, u"", true, K::Plain},
    {el::QuestionFrame, u"question", el::QuestionFrame, 167, 22, 473, 113, u"", true, K::Plain},
    {el::AnswerA, u"answer_a", el::AnswerA, 167, 135, 237, 51, u"Вариант A", true, K::Answer},
    {el::AnswerB, u"answer_b", el::AnswerB, 404, 135, 236, 51, u"Вариант B", true, K::Answer},
    {el::AnswerC, u"answer_c", el::AnswerC, 167, 186, 237, 51, u"Вариант C", true, K::Answer},
    {el::AnswerD, u"answer_d", el::AnswerD, 404, 186, 236, 51, u"Вариант D", true, K::Answer},
    {el::Close, u"close", el::Close, 619, 0, 21, 21, u"Выход", true, K::Button},
    {el::Menu, u"menu", el::Menu, 0, 0, 21, 21, u"Меню", true, K::Button},
    {el::TitleStrip, u"title", el::TitleStrip, 21, 0, 577, 21, u"", true, K::Title},
    {el::FiftyFifty, u"fifty", el::FiftyFifty, 166, 237, 158, 67, u"50/50", true, K::Lifeline},
    {el::PhoneFriend, u"phone", el::PhoneFriend, 324, 237, 158, 67, u"Звонок другу", true, K::Lifeline},
    {el::AudiencePoll, u"audience", el::AudiencePoll, 482, 237, 158, 67, u"Мнение зала", true, K::Lifeline},
    {el::Rung1, u"ladder_01", el::Rung1, 0, 420, 166, 34, u"", true, K::Rung},
    {el::Rung2, u"ladder_02", el::Rung2, 0, 392, 166, 28, u"", true, K::Rung},
    {el::Rung3, u"ladder_03", el::Rung3, 0, 364, 166, 28, u"", true, K::Rung},
    {el::Rung4, u"ladder_04", el::Rung4, 0, 336, 166, 28, u"", true, K::Rung},
    {el::Rung5, u"ladder_05", el::Rung5, 0, 308, 166, 28, u"", true, K::Rung},
    {el::Rung6, u"ladder_06", el::Rung6, 0, 280, 166, 28, u"", true, K::Rung},
    {el::Rung7, u"ladder_07", el::Rung7, 0, 252, 166, 28, u"", true, K::Rung},
    {el::Rung8, u"ladder_08", el::Rung8, 0, 224, 166, 28, u"", true, K::Rung},
    {el::Rung9, u"ladder_09", el::Rung9, 0, 196, 166, 28, u"", true, K::Rung},
    {el::Rung10, u"ladder_10", el::Rung10, 0, 168, 166, 28, u"", true, K::Rung},
    {el::Rung11, u"ladder_11", el::Rung11, 0, 140, 166, 28, u"", true, K::Rung},
    {el::Rung12, u"ladder_12", el::Rung12, 0, 112, 166, 28, u"", true, K::Rung},
    {el::Rung13, u"ladder_13", el::Rung13, 0, 84, 166, 28, u"", true, K::Rung},
    {el::Rung14, u"ladder_14", el::Rung14, 0, 56, 166, 28, u"", true, K::Rung},
    {el::Rung15, u"ladder_15", el::Rung15, 0, 22, 166, 34, u"", true, K::Rung},
    {el::PhonePanel, u"phone_panel", el::PhonePanel, 167, 305, 473, 149, u"", false, K::Plain},
    {el::PollPanel, u"poll_panel", el::PollPanel, 167, 305, 473, 149, u"", false, K::Plain},
    {el::PollBarA, u"poll_bar", el::PollBarA, 201, 319, 434, 19, u"Вариант A", false, K::Plain},
    {el::PollBarB, u"", el::PollBarA, 201, 353, 434, 19, u"Вариант B", false, K::Plain},
    {el::PollBarC, u"", el::PollBarA, 201, 387, 434, 19, u"Вариант C", false, K::Plain},
    {el::PollBarD, u"", el::PollBarA, 201, 421, 434, 19, u"Вариант D", false, K::Plain},
    {el::ClockStrip, u"clock_dim", el::ClockStrip, 0, 455, 587, 25, u"", true, K::Plain},
    {el::ClockBar, u"clock_bright", el::ClockBar, 0, 455, 587, 25, u"Прошло времени", false, K::Plain},
    {el::Minimise, u"minimise", el::Minimise, 598, 0, 21, 21, u"Свернуть", true, K::Button},
    {el::Leaderboard, u"leaderboard", el::Leaderboard, 167, 43, 451, 389, u"", false, K::Plain},
    {el::ScrollTrack, u"scroll_track", el::ScrollTrack, 618, 43, 22, 389, u"", false, K::Track},
    {el::ScrollUp, u"scroll_up", el::ScrollUp, 618, 21, 22, 22, u"Вверх", false, K::Button},
    {el::ScrollDown, u"scroll_down", el::ScrollDown, 618, 432, 22, 22, u"Вниз", false, K::Button},
    {el::ScrollThumb, u"scroll_thumb", el::ScrollThumb, 619, 43, 20, 40, u"", false, K::Button},
    {el::VictoryPanel, u"victory", el::VictoryPanel, 167, 305, 473, 128, u"", false, K::RecordPanel},
    {el::VictoryConfirm, u"confirm_done", el::VictoryConfirm, 167, 433, 473, 21, u"Всё", false, K::Button},
    {el::LossPanel, u"loss", el::LossPanel, 167, 305, 473, 128, u"", false, K::Plain},
    {el::LossConfirm, u"confirm_loss", el::LossConfirm, 167, 433, 473, 21, u"Хорошо", false, K::Button},
    {el::TakeMoney, u"take_money", el::TakeMoney, 587, 455, 53, 25, u"Взять деньги", true, K::Lifeline},
    {el::HideTable, u"hide_table", el::HideTable, 393, 432, 225, 22, u"Скрыть таблицу", false, K::Button},
    {el::ClearTable, u"clear_table", el::ClearTable, 167, 432, 226, 22, u"Очистить таблицу", false, K::Button},
    {el::TimeoutPanel, u"timeout", el::TimeoutPanel, 167, 305, 473, 128, u"", false, K::Plain},
    {el::TimeoutConfirm, u"confirm_timeout", el::TimeoutConfirm, 167, 433, 473, 21, u"Хорошо", false, K::Button},
    {el::LeaderboardHeader, u"leaderboard_header", el::LeaderboardHeader, 167, 21, 451, 22, u"", false, K::Plain},
}};

constexpr bool InPaintingOrder() {
  for (const ElementId id : AllElements())
    if (kElements[IndexOf(id)].id != id) return false;
  return true;
}
static_assert(InPaintingOrder(), "one entry per element, in the order of ElementId");

constexpr std::array<CaptionStyle, 12> kCaptionStyles = {{
    {el::QuestionFrame, 20, 10, 20, 10, u"Arial Cyr", 12, 2, 1, kWhite, std::nullopt},
    {el::AnswerA, 47, 6, 16, 8, u"Arial Cyr", 10, 0, 1, kWhite, kPointedAnswer},
    {el::AnswerB, 41, 6, 19, 8, u"Arial Cyr", 10, 0, 1, kWhite, kPointedAnswer},
    {el::AnswerC, 47, 6, 16, 8, u"Arial Cyr", 10, 0, 1, kWhite, kPointedAnswer},
    {el::AnswerD, 42, 6, 19, 8, u"Arial Cyr", 10, 0, 1, kWhite, kPointedAnswer},
    {el::PhonePanel, 130, 10, 10, 10, u"Times New Roman", 15, 2, 0, kWhite, std::nullopt},
    {el::PollBarA, 0, 0, 397, 0, u"MS Sans Serif", 10, 2, 1, kWhite, std::nullopt},
    {el::PollBarB, 0, 0, 397, 0, u"MS Sans Serif", 10, 2, 1, kWhite, std::nullopt},
    {el::PollBarC, 0, 0, 397, 0, u"MS Sans Serif", 10, 2, 1, kWhite, std::nullopt},
    {el::PollBarD, 0, 0, 397, 0, u"MS Sans Serif", 10, 2, 1, kWhite, std::nullopt},
    {el::ClockBar, 0, 0, 547, 0, u"Comic Sans MS", 12, 2, 0, kWhite, std::nullopt},
    // Below the panel's painted heading, above its name strip: four lines fit.
    {el::VictoryPanel, 10, 27, 10, 30, u"Arial Cyr", 11, 2, 2, kWhite, std::nullopt},
}};

}  // namespace

const ElementSpec& SpecOf(ElementId id) { return kElements[IndexOf(id)]; }

ButtonLooks ButtonLooksOf(ElementId id) {
  constexpr ButtonLooks kPushButton{true, true, true};
  struct Entry {
    ElementId element;
    ButtonLooks looks;
  };
  static constexpr Entry kButtons[] = {
      {el::Close, kPushButton},
      // Stays pressed while the popup menu it opens is shown.
      {el::Menu, {true, true, false}},
      {el::Minimise, kPushButton},
      // The scroll arrows and the thumb scroll on a press.
      {el::ScrollUp, {true, false, true}},
      {el::ScrollDown, {true, false, true}},
      {el::ScrollThumb, {true, false, false}},
      {el::VictoryConfirm, kPushButton},
      {el::LossConfirm, kPushButton},
      {el::HideTable, kPushButton},
      {el::ClearTable, kPushButton},
      {el::TimeoutConfirm, kPushButton},
  };
  for (const Entry& entry : kButtons) {
    if (entry.element == id) return entry.looks;
  }
  return {};
}

ElementGrid GridOf(ElementId id) {
  switch (SpecOf(id).kind) {
    case ElementKind::Plain: return {1, 1};
    case ElementKind::Answer: return {1, 4};
    case ElementKind::Lifeline: return {1, 4};
    case ElementKind::Button: return {1, 3};
    case ElementKind::Rung: return {1, 3};
    case ElementKind::Title: return {1, 2};
    case ElementKind::Track: return {2, 1};
    case ElementKind::RecordPanel: return {1, kRecordPanelLooks};
  }
  return {1, 1};
}

const CaptionStyle* CaptionStyles(int* count) {
  *count = int(kCaptionStyles.size());
  return kCaptionStyles.data();
}

qreal FrameOutline::WidthWithin(qreal reach, qreal margin) const {
  const qreal half = (bottom - top) / 2;
  if (reach > half) return 0;
  const qreal slant = inset * std::max<qreal>(reach, 0) / half;
  return std::max<qreal>(right - left - 2 * (slant + margin), 0);
}

QPolygonF FrameOutline::Polygon() const {
  const qreal mid = (top + bottom) / 2;
  return QPolygonF({{left, mid},
                    {left + inset, top},
                    {right - inset, top},
                    {right, mid},
                    {right - inset, bottom},
                    {left + inset, bottom}});
}

const FrameOutline* CaptionOutline(ElementId id) {
  // The thin inner line of the question frame's art: text between the slanted
  // ends would otherwise run over them in the corners.
  static constexpr FrameOutline kQuestionFrame{14, 10, 459, 103, 38};
  return id == el::QuestionFrame ? &kQuestionFrame : nullptr;
}

QString TitleTooltip() { return u"О, фартовик!   v"_s + GameVersion(); }

QString TooltipOf(ElementId id) {
  if (id == el::TitleStrip) return TitleTooltip();
  const QString name = QString::fromUtf16(SpecOf(id).tooltip);
  // The buttons of the open question have no letter on them; their tooltips give the key.
  if (!IsQuestionButton(id)) return name;
  return name + u" ("_s + KeyHint(*CommandOfButton(id)) + u')';
}
