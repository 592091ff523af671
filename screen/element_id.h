#pragma once

#include <array>
#include <cstddef>

// The elements stand in the groups the screen shows them in.
// clang-format off
/// Every element of the skinned screen, in the order they are painted: a later
/// element lies over an earlier one.
enum class ElementId {
  Background,
  QuestionFrame,
  AnswerA, AnswerB, AnswerC, AnswerD,
  Close,
  Menu,
  TitleStrip,
  FiftyFifty, PhoneFriend, AudiencePoll,
  Rung1, Rung2, Rung3, Rung4, Rung5, Rung6, Rung7, Rung8,
  Rung9, Rung10, Rung11, Rung12, Rung13, Rung14, Rung15,
  PhonePanel,
  PollPanel,
  PollBarA, PollBarB, PollBarC, PollBarD,
  ClockStrip,
  ClockBar,
  Minimise,
  Leaderboard,
  ScrollTrack, ScrollUp, ScrollDown, ScrollThumb,
  VictoryPanel, VictoryConfirm,
  LossPanel, LossConfirm,
  TakeMoney,
  HideTable, ClearTable,
  TimeoutPanel, TimeoutConfirm,
  LeaderboardHeader,
};
// clang-format on

constexpr int kElementCount = int(ElementId::LeaderboardHeader) + 1;

/// The names every part of the game writes elements by: `el::AnswerA`.
namespace el {
using enum ElementId;
}  // namespace el

/// Where element `id` stands in tables kept in painting order.
constexpr std::size_t IndexOf(ElementId id) { return std::size_t(id); }

/// All elements in painting order, bottom first.
constexpr std::array<ElementId, kElementCount> AllElements() {
  std::array<ElementId, kElementCount> all{};
  for (int i = 0; i < kElementCount; ++i) all[std::size_t(i)] = ElementId(i);
  return all;
}

constexpr std::array<ElementId, 4> kAnswerSlots = {el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD};
constexpr std::array<ElementId, 4> kPollBars = {el::PollBarA, el::PollBarB, el::PollBarC, el::PollBarD};
constexpr std::array<ElementId, 15> kLadderRungs = {el::Rung1,  el::Rung2,  el::Rung3,  el::Rung4,  el::Rung5,
                                                    el::Rung6,  el::Rung7,  el::Rung8,  el::Rung9,  el::Rung10,
                                                    el::Rung11, el::Rung12, el::Rung13, el::Rung14, el::Rung15};
constexpr std::array<ElementId, 3> kLifelines = {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll};

/// The answer shown at position `position` (1 = A … 4 = D).
constexpr ElementId AnswerSlot(int position) { return kAnswerSlots[std::size_t(position - 1)]; }
/// The poll bar beside answer position `position` (1 = A … 4 = D).
constexpr ElementId PollBar(int position) { return kPollBars[std::size_t(position - 1)]; }
/// The ladder rung of question `question` (1 … 15), bottom to top.
constexpr ElementId LadderRung(int question) { return kLadderRungs[std::size_t(question - 1)]; }

constexpr bool IsAnswerSlot(ElementId id) { return id >= el::AnswerA && id <= el::AnswerD; }
constexpr bool IsLadderRung(ElementId id) { return id >= el::Rung1 && id <= el::Rung15; }
/// The position (1 = A … 4 = D) answer slot `id` shows; 0 for other elements.
constexpr int PositionOf(ElementId id) {
  for (std::size_t k = 0; k < kAnswerSlots.size(); ++k)
    if (kAnswerSlots[k] == id) return int(k) + 1;
  return 0;
}
/// The question (1 … 15) whose rung `id` is; 0 for other elements.
constexpr int QuestionOf(ElementId id) {
  for (std::size_t k = 0; k < kLadderRungs.size(); ++k)
    if (kLadderRungs[k] == id) return int(k) + 1;
  return 0;
}
